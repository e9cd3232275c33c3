#include "source/field_reading.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "source/little_endian.h"
#include "source/numeric_text.h"

namespace konwerter::source {

namespace {

std::string_view FieldBytes(std::span<const std::uint8_t> record, const SourceField& field) {
  const auto* first = reinterpret_cast<const char*>(record.data() + field.offset);
  return {first, field.bytes_in_record};
}

// Fields are mostly padded with long runs of spaces: those are passed over eight at a time.
std::string_view WithoutTrailingSpaces(std::string_view text) {
  constexpr std::uint64_t kSpaces = 0x2020202020202020;
  std::size_t end = text.size();
  while (end >= 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + end - 8, sizeof word);
    if (word != kSpaces) break;
    end -= 8;
  }
  while (end > 0 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

void DeliverText(std::string_view bytes, const FieldBinding& binding,
                 const TextDelivery& delivery) {
  std::string& destination = *std::get<std::string*>(binding.destination);
  bytes = bytes.substr(0, binding.capacity);
  if (delivery.trimming) bytes = WithoutTrailingSpaces(bytes);
  destination.assign(bytes);
  if (delivery.map != nullptr) ApplyMap(*delivery.map, destination);
}

void DeliverRawText(std::string_view bytes, const FieldBinding& binding) {
  std::get<std::string*>(binding.destination)->assign(bytes.substr(0, binding.capacity));
}

// The first `size` bytes of the field, completed with zero bytes when it is shorter.
template <std::size_t size>
std::array<std::uint8_t, size> LeadingBytes(std::string_view bytes) {
  std::array<std::uint8_t, size> lead{};
  for (std::size_t i = 0; i < size && i < bytes.size(); ++i) {
    lead[i] = static_cast<std::uint8_t>(bytes[i]);
  }
  return lead;
}

bool IsTrue(std::string_view bytes) {
  if (bytes.empty()) return false;
  const char first = bytes[0];
  return first == 'T' || first == 't' || first == 'Y' || first == 'y';
}

// Stores a parsed integer into the destination of its kind; false when it did not convert.
bool DeliverInteger(std::string_view bytes, const FieldBinding& binding, RecordReadResult& result) {
  const NumericConversion<std::int32_t> number = ParseInteger(bytes);
  if (!number.ok()) {
    result = {kSourceBadNumber, number.failed_at};
    return false;
  }
  const auto bits = static_cast<std::uint32_t>(number.value);
  switch (binding.kind) {
    case BindingKind::kByte:
      *std::get<std::uint8_t*>(binding.destination) = static_cast<std::uint8_t>(bits);
      break;
    case BindingKind::kWord:
      *std::get<std::uint16_t*>(binding.destination) = static_cast<std::uint16_t>(bits);
      break;
    default:
      *std::get<std::int32_t*>(binding.destination) = number.value;
      break;
  }
  return true;
}

bool DeliverReal(std::string_view bytes, const FieldBinding& binding, RecordReadResult& result) {
  const NumericConversion<double> number = ParseReal(bytes);
  if (!number.ok()) {
    result = {kSourceBadNumber, number.failed_at};
    return false;
  }
  *std::get<double*>(binding.destination) = number.value;
  return true;
}

// Delivers one field; false when a numeric conversion failed (recorded in `result`).
bool Deliver(std::string_view bytes, const FieldBinding& binding, const TextDelivery& delivery,
             RecordReadResult& result) {
  switch (binding.kind) {
    case BindingKind::kText:
      DeliverText(bytes, binding, delivery);
      return true;
    case BindingKind::kRawText:
      DeliverRawText(bytes, binding);
      return true;
    case BindingKind::kByte:
    case BindingKind::kWord:
    case BindingKind::kLong:
      return DeliverInteger(bytes, binding, result);
    case BindingKind::kReal:
      return DeliverReal(bytes, binding, result);
    case BindingKind::kLogical:
      *std::get<bool*>(binding.destination) = IsTrue(bytes);
      return true;
    case BindingKind::kBinary2:
      *std::get<std::uint16_t*>(binding.destination) = GetU16(LeadingBytes<2>(bytes), 0);
      return true;
    case BindingKind::kBinary4:
      *std::get<std::uint32_t*>(binding.destination) = GetU32(LeadingBytes<4>(bytes), 0);
      return true;
  }
  return true;
}

}  // namespace

RecordReadResult ReadBoundFields(std::span<const std::uint8_t> record,
                                 const std::vector<SourceField>& fields,
                                 const TextDelivery& delivery) {
  RecordReadResult result;
  for (const SourceField& field : fields) {
    if (!field.binding) continue;
    if (!Deliver(FieldBytes(record, field), *field.binding, delivery, result)) return result;
  }
  return result;
}

}  // namespace konwerter::source
