#include "source/field_reading.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/little_endian.h"
#include "source/numeric_text.h"

namespace konwerter::source {

namespace {

bool IsTextKind(BindingKind kind) {
  return kind == BindingKind::kText || kind == BindingKind::kUntrimmedText ||
         kind == BindingKind::kRawText;
}

// The length of the text without its trailing spaces. Fields are mostly padded with long
// runs of spaces: those are passed over eight at a time, and the last few spaces before the
// text's end are counted in the word that holds it.
std::size_t TrimmedLength(const char* text, std::size_t length) {
  constexpr std::uint64_t kSpaces = 0x2020202020202020;
  while (length >= 8) {
    std::uint64_t word;
    std::memcpy(&word, text + length - 8, sizeof word);
    // Little-endian: the field's last byte is the word's highest.
    const std::uint64_t differs = word ^ kSpaces;
    if (differs != 0) return length - static_cast<std::size_t>(std::countl_zero(differs)) / 8;
    length -= 8;
  }
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

std::uint64_t Load8(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Copies `length` bytes eight at a time (the last eight overlapping the ones before) and
// tells whether any of them is 80 hex or above. Field texts are short: a call to the
// library's copy would cost more than the copy.
bool CopyFindingHighBytes(char* target, const char* source, std::size_t length) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  if (length < 8) {
    std::uint8_t high = 0;
    for (std::size_t i = 0; i < length; ++i) {
      target[i] = source[i];
      high |= static_cast<std::uint8_t>(source[i]);
    }
    return (high & 0x80) != 0;
  }
  std::uint64_t seen = 0;
  for (std::size_t at = 0; at + 8 <= length; at += 8) {
    const std::uint64_t word = Load8(source + at);
    std::memcpy(target + at, &word, sizeof word);
    seen |= word;
  }
  const std::uint64_t last = Load8(source + length - 8);
  std::memcpy(target + length - 8, &last, sizeof last);
  return ((seen | last) & kHighBits) != 0;
}

void DeliverText(std::string_view bytes, std::string& destination, const TextDelivery& delivery,
                 bool trimmed) {
  const std::size_t length = trimmed ? TrimmedLength(bytes.data(), bytes.size()) : bytes.size();
  bool high = true;
  if (length <= destination.size()) {
    // Overwritten and shortened in place: the destination keeps its storage.
    high = CopyFindingHighBytes(destination.data(), bytes.data(), length);
    destination.erase(length);
  } else {
    destination.assign(bytes.data(), length);
  }
  if (high && delivery.map != nullptr) ApplyMap(*delivery.map, destination);
}

// The first `size` bytes of the field, completed with zero bytes when it is shorter.
template <std::size_t size>
std::array<std::uint8_t, size> LeadingBytes(std::string_view bytes) {
  std::array<std::uint8_t, size> lead{};
  std::memcpy(lead.data(), bytes.data(), std::min(size, bytes.size()));
  return lead;
}

bool IsTrue(std::string_view bytes) {
  if (bytes.empty()) return false;
  const char first = bytes[0];
  return first == 'T' || first == 't' || first == 'Y' || first == 'y';
}

// Stores a parsed integer into the destination of its kind; false when it did not convert.
bool DeliverInteger(std::string_view bytes, const BoundField& field, RecordReadResult& result) {
  const NumericConversion<std::int32_t> number = ParseInteger(bytes);
  if (!number.ok()) {
    result = {kSourceBadNumber, number.failed_at, field.offset};
    return false;
  }
  const auto bits = static_cast<std::uint32_t>(number.value);
  switch (field.kind) {
    case BindingKind::kByte:
      *std::get<std::uint8_t*>(field.destination) = static_cast<std::uint8_t>(bits);
      break;
    case BindingKind::kWord:
      *std::get<std::uint16_t*>(field.destination) = static_cast<std::uint16_t>(bits);
      break;
    default:
      *std::get<std::int32_t*>(field.destination) = number.value;
      break;
  }
  return true;
}

bool DeliverReal(std::string_view bytes, const BoundField& field, RecordReadResult& result) {
  const NumericConversion<double> number = ParseReal(bytes);
  if (!number.ok()) {
    result = {kSourceBadNumber, number.failed_at, field.offset};
    return false;
  }
  *std::get<double*>(field.destination) = number.value;
  return true;
}

// Delivers one field; false when a numeric conversion failed (recorded in `result`).
bool Deliver(std::string_view bytes, const BoundField& field, const TextDelivery& delivery,
             RecordReadResult& result) {
  switch (field.kind) {
    case BindingKind::kText:
    case BindingKind::kUntrimmedText:
      DeliverText(bytes, *std::get<std::string*>(field.destination), delivery,
                  field.kind == BindingKind::kText);
      return true;
    case BindingKind::kRawText:
      std::get<std::string*>(field.destination)->assign(bytes);
      return true;
    case BindingKind::kByte:
    case BindingKind::kWord:
    case BindingKind::kLong:
      return DeliverInteger(bytes, field, result);
    case BindingKind::kReal:
      return DeliverReal(bytes, field, result);
    case BindingKind::kLogical:
      *std::get<bool*>(field.destination) = IsTrue(bytes);
      return true;
    case BindingKind::kBinary2:
      *std::get<std::uint16_t*>(field.destination) = platform::LoadU16(LeadingBytes<2>(bytes), 0);
      return true;
    case BindingKind::kBinary4:
      *std::get<std::uint32_t*>(field.destination) = platform::LoadU32(LeadingBytes<4>(bytes), 0);
      return true;
  }
  return true;
}

}  // namespace

std::vector<BoundField> BoundFieldsOf(const std::vector<SourceField>& fields) {
  std::vector<BoundField> bound;
  for (const SourceField& field : fields) {
    if (!field.binding) continue;
    const FieldBinding& binding = *field.binding;
    // A text destination takes no more than its capacity: the rest of the field is never read.
    const std::uint32_t length = IsTextKind(binding.kind)
                                     ? static_cast<std::uint32_t>(std::min<std::size_t>(
                                           field.bytes_in_record, binding.capacity))
                                     : field.bytes_in_record;
    bound.push_back({field.offset, length, binding.kind, binding.destination});
  }
  return bound;
}

RecordReadResult ReadBoundFields(std::span<const std::uint8_t> record,
                                 std::span<const BoundField> fields, const TextDelivery& delivery) {
  RecordReadResult result;
  const auto* bytes = reinterpret_cast<const char*>(record.data());
  for (const BoundField& field : fields) {
    const std::string_view field_bytes(bytes + field.offset, field.length);
    // Text is by far the most common kind: it is taken before the dispatch on the kind.
    if (field.kind == BindingKind::kText) {
      DeliverText(field_bytes, *std::get<std::string*>(field.destination), delivery, true);
    } else if (!Deliver(field_bytes, field, delivery, result)) {
      return result;
    }
  }
  return result;
}

}  // namespace konwerter::source
