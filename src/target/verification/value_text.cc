#include "target/verification/value_text.h"

#include "target/engine/field_value.h"

namespace konwerter::verification {

std::string FieldText(std::span<const std::uint8_t> field) {
  std::size_t first = 0;
  while (first < field.size() && field[first] == ' ') ++first;
  return engine::LoadText(field.subspan(first));
}

std::string KeyText(engine::KeyType type, std::span<const std::uint8_t> key) {
  if (type == engine::KeyType::kCharacter) return engine::LoadText(key);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t byte : key) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string Utf8Name(const std::filesystem::path& file) {
  const std::u8string name = file.filename().u8string();
  return std::string(name.begin(), name.end());
}

}  // namespace konwerter::verification
