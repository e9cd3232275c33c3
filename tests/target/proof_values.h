#pragma once

// The values the target-table proof tests write, record by record and field by field, and
// what each reader must give back for them. The expectations are worked out here from the
// table schema string and the values alone, without the engine's own code: the fields as
// the string describes them, text in code page 852 through the test's own table of the 18
// Polish letters, numbers formatted to width and decimals, dates as YYYYMMDD.

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/calendar_date.h"
#include "platform/text_encoding.h"
#include "target/engine/table.h"

namespace konwerter::target::testing {

// A field as the table schema string describes it.
struct ExpectedField {
  std::string name;  // as written in the string
  char type = 'C';   // C, N, D, L or M
  int width = 1;
  int decimals = 0;
};

inline std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

inline std::vector<std::string> SplitOn(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : text) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else if (c != ' ') {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

// The fields of a table schema string: "name;type;width;decimals" items joined by "|".
inline std::vector<ExpectedField> ExpectedFields(std::string_view schema) {
  std::vector<ExpectedField> fields;
  for (const std::string& item : SplitOn(schema, '|')) {
    const std::vector<std::string> parts = SplitOn(item, ';');
    ExpectedField field{parts.at(0)};
    if (parts.size() > 1 && !parts[1].empty()) {
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[1][0])));
      if (std::string_view("CNDLM").find(letter) != std::string_view::npos) field.type = letter;
    }
    if (parts.size() > 2 && !parts[2].empty()) field.width = std::stoi(parts[2]);
    if (field.type == 'N' && parts.size() > 3 && !parts[3].empty()) {
      field.decimals = std::stoi(parts[3]);
    }
    if (field.type == 'D') field.width = 8;
    if (field.type == 'L') field.width = 1;
    if (field.type == 'M') field.width = 10;
    fields.push_back(field);
  }
  return fields;
}

// One field of one record: null, text (UTF-8), number, date or logical.
using Value = std::variant<std::monostate, std::string, double, platform::CalendarDate, bool>;

// ---------------------------------------------------------------------------------------
// Text in code page 852, by the test's own table.

struct Cp852Letter {
  std::string_view utf8;
  std::uint8_t cp852;
  std::uint8_t upper_cp852;
};

inline constexpr Cp852Letter kPolishLetters[] = {
    {"ą", 0xA5, 0xA4}, {"Ą", 0xA4, 0xA4}, {"ć", 0x86, 0x8F}, {"Ć", 0x8F, 0x8F}, {"ę", 0xA9, 0xA8},
    {"Ę", 0xA8, 0xA8}, {"ł", 0x88, 0x9D}, {"Ł", 0x9D, 0x9D}, {"ń", 0xE4, 0xE3}, {"Ń", 0xE3, 0xE3},
    {"ó", 0xA2, 0xE0}, {"Ó", 0xE0, 0xE0}, {"ś", 0x98, 0x97}, {"Ś", 0x97, 0x97}, {"ź", 0xAB, 0x8D},
    {"Ź", 0x8D, 0x8D}, {"ż", 0xBE, 0xBD}, {"Ż", 0xBD, 0xBD},
};

// UTF-8 text of ASCII and the 18 Polish letters as cp852 bytes.
inline std::string Cp852Of(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
      continue;
    }
    bool found = false;
    for (const Cp852Letter& letter : kPolishLetters) {
      if (utf8.substr(i, letter.utf8.size()) == letter.utf8) {
        out += static_cast<char>(letter.cp852);
        i += letter.utf8.size();
        found = true;
        break;
      }
    }
    if (!found) throw std::logic_error("test text holds a letter outside its table");
  }
  return out;
}

// UPPER() over cp852 bytes of ASCII and the Polish letters.
inline std::string UpperCp852Of(std::string_view cp852) {
  std::string out;
  for (const char c : cp852) {
    const auto byte = static_cast<std::uint8_t>(c);
    char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (byte >= 0x80) {
      upper = c;
      for (const Cp852Letter& letter : kPolishLetters) {
        if (letter.cp852 == byte) upper = static_cast<char>(letter.upper_cp852);
      }
    }
    out += upper;
  }
  return out;
}

// The first `count` characters of UTF-8 text.
inline std::string FirstCharacters(std::string_view utf8, int count) {
  std::size_t end = 0;
  for (int n = 0; n < count && end < utf8.size(); ++n) {
    ++end;
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(utf8.substr(0, end));
}

inline std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// ---------------------------------------------------------------------------------------
// Generated values.

inline std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

// Every one of the 18 Polish letters, both cases, words that tie but for case, a leading
// space, digits and punctuation.
inline constexpr std::string_view kPhrases[] = {"Zażółć gęślą jaźń",
                                                "ZAŻÓŁĆ GĘŚLĄ JAŹŃ",
                                                "Łódź",
                                                "łódka",
                                                "Świętochłowice",
                                                "śnieg",
                                                "Źródło",
                                                "źdźbło",
                                                "Żółw",
                                                "żaba",
                                                "Ćma",
                                                "ćwierć",
                                                "Ńa",
                                                "Ąbc",
                                                "ąbc",
                                                "Ęba",
                                                "ęba",
                                                "Óla",
                                                "ola",
                                                "Abc",
                                                "abc",
                                                "Kraków ul. Długa 7/12",
                                                "Nowak-Śliwińska",
                                                " Ósmy",
                                                "12",
                                                "1/2024",
                                                "ALA",
                                                "Ala",
                                                "ala",
                                                "Zając",
                                                "zamek",
                                                "Ząb"};

inline Value GeneratedText(std::uint64_t h, int record) {
  std::string text(kPhrases[h % std::size(kPhrases)]);
  if ((h >> 8) % 3 == 0) text += " " + std::to_string(record);
  if ((h >> 10) % 4 == 1) text = std::to_string(record % 97) + " " + text;
  return text;
}

// Numbers that fit the field: with decimals, negative, zero, small and near the limit.
inline Value GeneratedNumber(std::uint64_t h, const ExpectedField& field) {
  const int integer_digits = field.width - (field.decimals > 0 ? field.decimals + 1 : 0);
  // One digit is kept for a minus sign, except in a field of one digit.
  const int digits = integer_digits > 1 ? integer_digits - 1 + field.decimals : 1;
  std::int64_t largest = 1;
  for (int i = 0; i < digits; ++i) largest *= 10;
  largest -= 1;
  const std::int64_t span = 2 * largest + 1;
  std::int64_t scaled = static_cast<std::int64_t>(h % static_cast<std::uint64_t>(span)) - largest;
  switch ((h >> 20) % 4) {
    case 1:
      scaled = static_cast<std::int64_t>(h % 201) - 100;
      break;
    case 2:
      scaled = 0;
      break;
    case 3:
      scaled = scaled < 0 ? -scaled : scaled;
      break;
    default:
      break;
  }
  if (integer_digits <= 1 && scaled < 0) scaled = -scaled;
  if (scaled > largest) scaled = largest;
  if (scaled < -largest) scaled = -largest;
  double divisor = 1;
  for (int i = 0; i < field.decimals; ++i) divisor *= 10;
  return static_cast<double>(scaled) / divisor;
}

inline Value GeneratedDate(std::uint64_t h) {
  if ((h >> 4) % 25 == 0) return platform::CalendarDate{2024, 2, 29};
  return platform::CalendarDate{1901 + static_cast<int>(h % 199),
                                1 + static_cast<int>((h >> 16) % 12),
                                1 + static_cast<int>((h >> 24) % 28)};
}

// The value of field `field_index` of record `record` (1-based): about one in nine is null.
inline Value GeneratedValue(const ExpectedField& field, int record, int field_index) {
  const std::uint64_t h = Mix(static_cast<std::uint64_t>(record) * 1000003ULL +
                              static_cast<std::uint64_t>(field_index));
  if ((h >> 40) % 9 == 0) return std::monostate{};
  switch (field.type) {
    case 'N':
      return GeneratedNumber(h, field);
    case 'D':
      return GeneratedDate(h);
    case 'L':
      return (h >> 33) % 2 == 0;
    default:
      return GeneratedText(h, record);
  }
}

// Sets one field of the pending record through the engine, naming it in lower case. A null
// is set explicitly for every other field that holds one, and left as Append made it else.
inline void SetValue(engine::Table& table, const ExpectedField& field, const Value& value,
                     bool set_null) {
  const std::string name = [&] {
    std::string lower = field.name;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
  }();
  if (std::holds_alternative<std::monostate>(value)) {
    if (set_null) table.SetNull(name);
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    table.SetText(name, platform::Cp1250FromUtf8(*text));
  } else if (const auto* number = std::get_if<double>(&value)) {
    table.SetNumber(name, *number);
  } else if (const auto* date = std::get_if<platform::CalendarDate>(&value)) {
    table.SetDate(name, *date);
  } else {
    table.SetLogical(name, std::get<bool>(value));
  }
}

// ---------------------------------------------------------------------------------------
// What the readers must give back.

// A number as the field stores it: right-aligned, exactly `decimals` digits after the point.
inline std::string FormattedNumber(double value, int width, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
  return buffer;
}

inline std::string DateDigits(const platform::CalendarDate& date) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", date.year, date.month, date.day);
  return buffer;
}

// The text a character field keeps of a value (UTF-8): cut to the width, trailing spaces
// removed as every reader removes them.
inline std::string KeptText(const ExpectedField& field, const Value& value) {
  const auto* text = std::get_if<std::string>(&value);
  return text ? TrimRight(FirstCharacters(*text, field.width)) : std::string();
}

// The field's bytes in the record, in the table's code page 852.
inline std::string StoredBytes(const ExpectedField& field, const Value& value) {
  std::string stored;
  if (std::holds_alternative<std::monostate>(value)) {
    stored = "";
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    stored = Cp852Of(FirstCharacters(*text, field.width));
  } else if (const auto* number = std::get_if<double>(&value)) {
    stored = FormattedNumber(*number, field.width, field.decimals);
  } else if (const auto* date = std::get_if<platform::CalendarDate>(&value)) {
    stored = DateDigits(*date);
  } else {
    stored = std::get<bool>(value) ? "T" : "F";
  }
  stored.resize(static_cast<std::size_t>(field.width), ' ');
  return stored;
}

}  // namespace konwerter::target::testing
