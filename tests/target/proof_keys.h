#pragma once

// The keys a production index must hold for a table the proof tests filled, worked out by
// the test from each record's stored bytes (as an independent reader returns them): the
// key expressions of the index definition strings (field names, +, UPPER, STR, DTOS and a
// logical appended to text), numeric and date keys decoded back to their values, and the
// depth of a tag's tree read straight from the file.

#include <cstdint>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tests/target/proof_values.h"

namespace konwerter::target::testing {

// One item of an index definition string.
struct ExpectedTag {
  std::string name;        // upper case, as the index file stores it
  std::string expression;  // as written (spaces removed)
};

inline std::vector<ExpectedTag> ExpectedTags(std::string_view definitions) {
  std::vector<ExpectedTag> tags;
  for (const std::string& item : SplitOn(definitions, '|')) {
    const std::vector<std::string> parts = SplitOn(item, ';');
    tags.push_back({UpperAscii(parts.at(0)), parts.at(1)});
  }
  return tags;
}

// A key expression evaluated over a record's stored field bytes.
class KeyExpressionForTest {
 public:
  KeyExpressionForTest(std::string_view expression, const std::vector<ExpectedField>& fields)
      : fields_(fields) {
    for (const std::string& term : SplitOn(expression, '+')) terms_.push_back(ParseTerm(term));
    if (terms_.size() == 1 && terms_[0].kind == Term::kField) {
      const char type = fields_[terms_[0].field].type;
      if (type == 'N') type_ = 'N', length_ = 12;
      if (type == 'D') type_ = 'D', length_ = 8;
    }
    if (type_ == 'C') {
      for (const Term& term : terms_) length_ += term.length;
    }
  }

  char type() const { return type_; }
  int length() const { return length_; }

  // C keys: the key bytes (cp852).
  std::string CharacterKey(const std::vector<std::string>& stored) const {
    std::string key;
    for (const Term& term : terms_) {
      const std::string& bytes = stored.at(static_cast<std::size_t>(term.field));
      switch (term.kind) {
        case Term::kField:
        case Term::kDtos:  // a date is stored as YYYYMMDD or 8 spaces already
          key += bytes;
          break;
        case Term::kUpper:
          key += UpperCp852Of(bytes);
          break;
        case Term::kStr: {
          std::string text = FormattedNumber(NumberOf(bytes), term.length, term.decimals);
          if (static_cast<int>(text.size()) > term.length) text.assign(term.length, '*');
          key += text;
          break;
        }
      }
    }
    return key;
  }

  // N keys: the field's number (blank: 0). D keys: the Julian day (blank: 1.0E300).
  double KeyValue(const std::vector<std::string>& stored) const {
    const std::string& bytes = stored.at(static_cast<std::size_t>(terms_[0].field));
    if (type_ == 'N') return NumberOf(bytes);
    if (bytes == "        ") return 1.0e300;
    return JulianDay(std::stoi(bytes.substr(0, 4)), std::stoi(bytes.substr(4, 2)),
                     std::stoi(bytes.substr(6, 2)));
  }

  static double NumberOf(const std::string& stored) {
    return stored.find_first_not_of(' ') == std::string::npos ? 0.0 : std::stod(stored);
  }

  static double JulianDay(int year, int month, int day) {
    const int a = (14 - month) / 12;
    const int y = year + 4800 - a;
    const int m = month + 12 * a - 3;
    const int day_number = day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
    return day_number;
  }

 private:
  struct Term {
    enum Kind { kField, kUpper, kStr, kDtos } kind = kField;
    int field = 0;
    int length = 0;
    int decimals = 0;
  };

  Term ParseTerm(const std::string& text) const {
    const std::string upper = UpperAscii(text);
    const auto inner = [&](std::string_view function) {
      return upper.substr(function.size() + 1, upper.size() - function.size() - 2);
    };
    Term term;
    if (upper.starts_with("UPPER(")) {
      term.kind = Term::kUpper;
      term.field = FieldIndex(inner("UPPER"));
      term.length = fields_[term.field].width;
    } else if (upper.starts_with("DTOS(")) {
      term.kind = Term::kDtos;
      term.field = FieldIndex(inner("DTOS"));
      term.length = 8;
    } else if (upper.starts_with("STR(")) {
      const std::vector<std::string> arguments = SplitOn(inner("STR"), ',');
      term.kind = Term::kStr;
      term.field = FieldIndex(arguments.at(0));
      term.length = arguments.size() > 1 ? std::stoi(arguments[1]) : 10;
      term.decimals = arguments.size() > 2 ? std::stoi(arguments[2]) : 0;
    } else {
      term.field = FieldIndex(upper);
      term.length = fields_[term.field].width;
    }
    return term;
  }

  int FieldIndex(const std::string& upper_name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (UpperAscii(fields_[i].name) == upper_name) return static_cast<int>(i);
    }
    throw std::logic_error("no field " + upper_name);
  }

  const std::vector<ExpectedField>& fields_;
  std::vector<Term> terms_;
  char type_ = 'C';
  int length_ = 0;
};

// A numeric key decoded: 0.d1d2... x 10^(byte 0 - 52), packed digits from byte 2, the sign
// in byte 1. Nullopt when the bytes are not a well-formed key (wrong size, sign byte).
inline std::optional<double> DecodeNumericKey(std::string_view key) {
  if (key.size() != 12) return std::nullopt;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(key[i]); };
  const int exponent = byte(0) - 52;
  double value = 0;
  double scale = 1;
  for (int e = 0; e < exponent; ++e) scale *= 10;
  for (int e = 0; e > exponent; --e) scale /= 10;
  for (std::size_t i = 2; i < 12; ++i) {
    for (const int digit : {byte(i) >> 4, byte(i) & 0x0F}) {
      scale /= 10;
      value += digit * scale;
    }
  }
  const std::uint8_t expected_sign = value == 0 ? 0x01 : (byte(1) & 0x80 ? 0xA9 : 0x29);
  if (byte(1) != expected_sign) return std::nullopt;
  return byte(1) & 0x80 ? -value : value;
}

// A date key decoded: the little-endian double it holds.
inline double DecodeDateKey(std::string_view key) {
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i < 8 && i < key.size(); ++i) {
    bits |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(key[i])) << (8 * i);
  }
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Little-endian integers of an index file's bytes; throws when the file is too short.
inline std::uint32_t U16At(const std::vector<std::uint8_t>& file, std::size_t at) {
  return file.at(at) | file.at(at + 1) << 8;
}
inline std::uint32_t U32At(const std::vector<std::uint8_t>& file, std::size_t at) {
  return U16At(file, at) | U16At(file, at + 2) << 16;
}

// A NUL-padded name or text of at most `size` bytes at `at`.
inline std::string TextAt(const std::vector<std::uint8_t>& file, std::size_t at, std::size_t size) {
  std::string text;
  for (std::size_t i = at; i < at + size && file.at(i) != 0; ++i)
    text += static_cast<char>(file[i]);
  return text;
}

// The tag-table slot of a tag (byte offset), or 0 when the index has no such tag.
inline std::size_t TagSlot(const std::vector<std::uint8_t>& file, std::string_view tag) {
  for (std::size_t slot = 0; slot < U16At(file, 28); ++slot) {
    if (TextAt(file, 544 + 32 * slot + 4, 11) == tag) return 544 + 32 * slot;
  }
  return 0;
}

// The number of levels of a tag's tree, read from the index file's bytes: the tag header's
// root page, then first children down to a leaf (a node whose entry after the last holds
// 0). 0 when the tag is not found.
inline int TreeDepth(const std::vector<std::uint8_t>& file, std::string_view tag) {
  const std::size_t slot = TagSlot(file, tag);
  if (slot == 0) return 0;
  const std::size_t header = std::size_t{U32At(file, slot)} * 512;
  const std::size_t item = U16At(file, header + 18);
  std::size_t node = std::size_t{U32At(file, header)} * 512;
  for (int depth = 1; depth < 32; ++depth) {
    const std::uint32_t keys = U32At(file, node);
    if (U32At(file, node + 8 + keys * item) == 0) return depth;
    node = std::size_t{U32At(file, node + 8)} * 512;
  }
  return 32;
}

}  // namespace konwerter::target::testing
