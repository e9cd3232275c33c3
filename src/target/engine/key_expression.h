#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "target/engine/engine_error.h"
#include "target/engine/key_encoding.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine {

// A tag's key expression, parsed once against a table's fields and then evaluated for each
// record. The engine knows the expressions the Windows edition's tags use: field names (any
// case), "+" of character values (a logical joins as T, F or a space), UPPER(c),
// STR(n [, len [, dec]]) and DTOS(d). A numeric or date field alone gives a numeric or
// date key; everything else a character key.
//
// A numeric field that holds "*" fill (a value that did not fit its width) keys as 0, the
// same as a blank one: alone it gives the numeric key of 0, under STR() the text of 0
// right-aligned (STR(R_ceny,2) gives " 0"). So such a record stays in every tag, ahead of
// the positive numbers, and any reader of the index walks it like any other key.
class KeyExpression {
 public:
  // Parses `text` for a table laid out as `layout`. On failure returns nullopt and says
  // why in `error`.
  static std::optional<KeyExpression> Parse(std::string_view text, const RecordLayout& layout,
                                            ExpressionError& error);

  KeyType key_type() const { return key_type_; }
  std::size_t key_length() const { return key_length_; }
  // The tag's key format byte: fields, "+", STR and DTOS only, or a calculated key.
  std::uint8_t key_format() const { return key_format_; }

  // Writes the key of one record.
  // REQUIRES: record laid out as the layout given to Parse; key.size() == key_length().
  void Evaluate(std::span<const std::uint8_t> record, std::span<std::uint8_t> key) const;

  // One part of a character key: a field's value turned into text of a fixed length.
  struct Piece {
    enum class Kind { kText, kNumberText, kDateText, kLogical };
    Kind kind = Kind::kText;
    std::size_t offset = 0;  // of the field in the record
    std::size_t width = 0;   // of the field
    std::size_t length = 0;  // of the piece in the key
    int decimals = 0;        // STR: digits after the point
    bool upper = false;      // inside UPPER()
  };

 private:
  KeyExpression() = default;
  void EvaluatePiece(const Piece& piece, std::span<const std::uint8_t> record,
                     std::span<std::uint8_t> out) const;

  KeyType key_type_ = KeyType::kCharacter;
  std::size_t key_length_ = 0;
  std::uint8_t key_format_ = 0;
  std::vector<Piece> pieces_;     // character keys
  std::size_t field_offset_ = 0;  // numeric and date keys: the field
  std::size_t field_width_ = 0;
};

}  // namespace konwerter::engine
