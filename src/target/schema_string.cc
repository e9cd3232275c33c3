#include "target/schema_string.h"

#include <algorithm>
#include <charconv>

#include "target/engine/engine_error.h"

namespace konwerter::target {

namespace {

std::string WithoutSpaces(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (const char c : text) {
    if (c != ' ') result += c;
  }
  return result;
}

// Splits at `separator`; one empty piece at the end (a trailing separator) is dropped.
std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (!pieces.empty() && pieces.back().empty()) pieces.pop_back();
  return pieces;
}

std::string_view PartOr(const std::vector<std::string_view>& parts, std::size_t at,
                        std::string_view fallback) {
  return (at < parts.size() && !parts[at].empty()) ? parts[at] : fallback;
}

int ToInteger(std::string_view text, std::string_view item) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    engine::FaultSubject subject;
    subject.name = item;
    throw engine::EngineError(engine::EngineFault::kSchemaNumberBad, std::move(subject));
  }
  return value;
}

char TypeLetter(std::string_view part) {
  const char letter = static_cast<char>(part.front() & ~0x20);
  switch (letter) {
    case 'C':
    case 'N':
    case 'M':
    case 'L':
    case 'D':
      return letter;
    default:
      return 'C';
  }
}

bool IsExpressionMark(std::string_view part) {
  return part.size() == 3 && (part[0] | 0x20) == 'e' && (part[1] | 0x20) == 'x' &&
         (part[2] | 0x20) == 'p';
}

}  // namespace

std::vector<SchemaItem> ParseTableSchema(std::string_view schema) {
  const std::string text = WithoutSpaces(schema);
  std::vector<SchemaItem> items;
  for (const std::string_view item : Split(text, '|')) {
    const auto parts = Split(item, ';');
    SchemaItem field;
    field.name = std::string(PartOr(parts, 0, ""));
    field.type = TypeLetter(PartOr(parts, 1, "C"));
    field.width = ToInteger(PartOr(parts, 2, "1"), item);
    field.decimals = ToInteger(PartOr(parts, 3, "0"), item);
    items.push_back(std::move(field));
  }
  return items;
}

std::vector<IndexItem> ParseIndexDefinitions(std::string_view definitions) {
  const std::string text = WithoutSpaces(definitions);
  std::vector<IndexItem> items;
  for (const std::string_view item : Split(text, '|')) {
    const auto parts = Split(item, ';');
    items.push_back({std::string(PartOr(parts, 0, "")), std::string(PartOr(parts, 1, "")),
                     IsExpressionMark(PartOr(parts, 2, ""))});
  }
  return items;
}

engine::FieldDescriptor FieldFor(const SchemaItem& item) {
  engine::FieldDescriptor field;
  field.name = item.name;
  field.type = static_cast<engine::FieldType>(item.type);
  field.width = item.width;
  field.decimals = item.type == 'N' ? item.decimals : 0;
  return field;
}

}  // namespace konwerter::target
