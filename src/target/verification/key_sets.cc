#include "target/verification/key_sets.h"

namespace konwerter::verification {

namespace {

constexpr char kPartSeparator = '\x1F';

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::span<const std::uint8_t> Trimmed(std::span<const std::uint8_t> bytes) {
  std::size_t first = 0;
  std::size_t last = bytes.size();
  while (first < last && bytes[first] == ' ') ++first;
  while (last > first && bytes[last - 1] == ' ') --last;
  return bytes.subspan(first, last - first);
}

}  // namespace

std::optional<std::uint32_t> IdentifierNumber(std::string_view text, int width) {
  if (text.size() != static_cast<std::size_t>(width) || width > 8) return std::nullopt;
  std::uint32_t number = 0;
  for (const char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return number;
}

std::uint32_t IdentifierSet::Insert(std::uint32_t number, std::uint32_t record) {
  if (number >= dense_.size()) {
    const auto [held, inserted] = sparse_.emplace(number, record);
    return inserted ? 0 : held->second;
  }
  const std::uint32_t before = dense_[number];
  if (before == 0) dense_[number] = record;
  return before;
}

KeyFields::KeyFields(const engine::RecordLayout& layout, std::string_view fields) {
  std::size_t start = 0;
  while (start <= fields.size()) {
    const std::size_t end = std::min(fields.find('+', start), fields.size());
    const int field = layout.Find(fields.substr(start, end - start));
    if (field < 0) {
      valid_ = false;
      return;
    }
    parts_.push_back({layout.offset(field), layout.width(field)});
    start = end + 1;
  }
}

std::string_view KeyFields::Of(std::span<const std::uint8_t> record, std::string& out) const {
  if (parts_.size() == 1) {
    // One field: its bytes where they lie, not copied.
    const auto bytes = Trimmed(record.subspan(parts_[0].offset, parts_[0].width));
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  out.clear();
  for (const Part& part : parts_) {
    const auto bytes = Trimmed(record.subspan(part.offset, part.width));
    if (bytes.empty()) return {};
    if (!out.empty()) out += kPartSeparator;
    out.append(bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace konwerter::verification
