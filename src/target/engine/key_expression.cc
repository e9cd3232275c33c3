#include "target/engine/key_expression.h"

#include <algorithm>
#include <utility>

#include "target/engine/collation.h"
#include "target/engine/collation_db852po0_data.h"
#include "target/engine/field_value.h"
#include "target/engine/mdx_format.h"
#include "target/engine/number_text.h"

namespace konwerter::engine {

namespace {

constexpr int kDefaultStrLength = 10;
constexpr int kDateTextLength = 8;
constexpr int kMaxStrLength = 20;

// Thrown inside the parser to leave the recursion; Parse hands the error to its caller.
struct ParseError {
  ExpressionError error;
};

[[noreturn]] void Refuse(ExpressionFault fault, std::string name = {}) {
  throw ParseError{{fault, std::move(name), 0}};
}

// The value of a sub-expression: character pieces, or a single field of another type.
struct Operand {
  FieldType type = FieldType::kCharacter;
  std::vector<KeyExpression::Piece> pieces;  // character values
  int field = -1;                            // numeric, date and logical values
  bool calculated = false;                   // uses a function other than STR and DTOS
};

bool IsIdentifierStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsIdentifierChar(char c) {
  return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

class Parser {
 public:
  Parser(std::string_view text, const RecordLayout& layout) : text_(text), layout_(layout) {}

  Operand ParseWhole() {
    Operand operand = ParseSum();
    SkipSpaces();
    if (position_ != text_.size()) Refuse(ExpressionFault::kUnexpectedCharacter);
    return operand;
  }

 private:
  Operand ParseSum() {
    Operand left = ParseTerm();
    while (Accept('+')) left = Join(std::move(left), ParseTerm());
    return left;
  }

  Operand ParseTerm() {
    const std::string name = UpperAscii(Identifier());
    if (!Accept('(')) return FieldOperand(name);
    Operand result;
    if (name == "UPPER") {
      result = ParseUpper();
    } else if (name == "STR") {
      result = ParseStr();
    } else if (name == "DTOS") {
      result = ParseDtos();
    } else {
      Refuse(ExpressionFault::kUnknownFunction, name);
    }
    Expect(')');
    return result;
  }

  Operand ParseUpper() {
    Operand operand = ParseSum();
    RequireCharacter(operand, "UPPER");
    for (auto& piece : operand.pieces) piece.upper = true;
    operand.calculated = true;
    return operand;
  }

  Operand ParseStr() {
    const Operand number = ParseSum();
    if (number.type != FieldType::kNumeric) Refuse(ExpressionFault::kStrNeedsNumber);
    int length = kDefaultStrLength;
    int decimals = 0;
    if (Accept(',')) length = Integer();
    if (Accept(',')) decimals = Integer();
    if (length < 1 || length > kMaxStrLength || decimals < 0 ||
        (decimals > 0 && decimals > length - 2)) {
      Refuse(ExpressionFault::kStrLengthRefused);
    }
    Operand result;
    result.pieces.push_back(PieceOf(number.field, KeyExpression::Piece::Kind::kNumberText,
                                    static_cast<std::size_t>(length), decimals));
    result.calculated = number.calculated;
    return result;
  }

  Operand ParseDtos() {
    const Operand date = ParseSum();
    if (date.type != FieldType::kDate) Refuse(ExpressionFault::kDtosNeedsDate);
    Operand result;
    result.pieces.push_back(
        PieceOf(date.field, KeyExpression::Piece::Kind::kDateText, kDateTextLength, 0));
    return result;
  }

  Operand FieldOperand(const std::string& name) {
    const int field = layout_.Find(name);
    if (field < 0) Refuse(ExpressionFault::kNoSuchField, name);
    const FieldDescriptor& descriptor = layout_.field(field);
    Operand operand;
    operand.type = descriptor.type;
    switch (descriptor.type) {
      case FieldType::kCharacter:
        operand.pieces.push_back(
            PieceOf(field, KeyExpression::Piece::Kind::kText, layout_.width(field), 0));
        break;
      case FieldType::kNumeric:
      case FieldType::kDate:
      case FieldType::kLogical:
        operand.field = field;
        break;
      default:
        Refuse(ExpressionFault::kFieldNotKeyable, name);
    }
    return operand;
  }

  // a + b of character values; a logical value joins as one character.
  Operand Join(Operand left, Operand right) {
    AsCharacterPart(left);
    AsCharacterPart(right);
    left.pieces.insert(left.pieces.end(), right.pieces.begin(), right.pieces.end());
    left.calculated = left.calculated || right.calculated;
    return left;
  }

  void AsCharacterPart(Operand& operand) {
    if (operand.type == FieldType::kLogical) {
      operand.pieces.push_back(PieceOf(operand.field, KeyExpression::Piece::Kind::kLogical, 1, 0));
      operand.type = FieldType::kCharacter;
    }
    RequireCharacter(operand, "+");
  }

  static void RequireCharacter(const Operand& operand, std::string_view where) {
    if (operand.type != FieldType::kCharacter) {
      Refuse(ExpressionFault::kNeedsCharacter, std::string(where));
    }
  }

  KeyExpression::Piece PieceOf(int field, KeyExpression::Piece::Kind kind, std::size_t length,
                               int decimals) const {
    KeyExpression::Piece piece;
    piece.kind = kind;
    piece.offset = layout_.offset(field);
    piece.width = layout_.width(field);
    piece.length = length;
    piece.decimals = decimals;
    return piece;
  }

  void SkipSpaces() {
    while (position_ < text_.size() && text_[position_] == ' ') ++position_;
  }

  bool Accept(char c) {
    SkipSpaces();
    if (position_ < text_.size() && text_[position_] == c) {
      ++position_;
      return true;
    }
    return false;
  }

  void Expect(char c) {
    if (!Accept(c)) Refuse(ExpressionFault::kMissingCharacter, std::string(1, c));
  }

  std::string_view Identifier() {
    SkipSpaces();
    const std::size_t start = position_;
    if (position_ < text_.size() && IsIdentifierStart(text_[position_])) {
      while (position_ < text_.size() && IsIdentifierChar(text_[position_])) ++position_;
    }
    if (position_ == start) Refuse(ExpressionFault::kNameExpected);
    return text_.substr(start, position_ - start);
  }

  int Integer() {
    SkipSpaces();
    int value = 0;
    const std::size_t start = position_;
    while (position_ < text_.size() && IsDigit(text_[position_]) && position_ - start < 4) {
      value = value * 10 + (text_[position_++] - '0');
    }
    if (position_ == start) Refuse(ExpressionFault::kNumberExpected);
    return value;
  }

  std::string_view text_;
  const RecordLayout& layout_;
  std::size_t position_ = 0;
};

}  // namespace

std::optional<KeyExpression> KeyExpression::Parse(std::string_view text, const RecordLayout& layout,
                                                  ExpressionError& error) {
  Operand operand;
  try {
    operand = Parser(text, layout).ParseWhole();
  } catch (const ParseError& failure) {
    error = failure.error;
    return std::nullopt;
  }
  KeyExpression expression;
  expression.key_format_ =
      operand.calculated ? mdx::kKeyFormatCalculated : mdx::kKeyFormatFieldsOnly;
  switch (operand.type) {
    case FieldType::kCharacter:
      expression.key_type_ = KeyType::kCharacter;
      for (const Piece& piece : operand.pieces) expression.key_length_ += piece.length;
      expression.pieces_ = std::move(operand.pieces);
      if (expression.key_length_ > mdx::kMaxKeyLength) {
        error = {ExpressionFault::kKeyTooLong, {}, mdx::kMaxKeyLength};
        return std::nullopt;
      }
      return expression;
    case FieldType::kNumeric:
    case FieldType::kDate:
      expression.key_type_ =
          operand.type == FieldType::kNumeric ? KeyType::kNumeric : KeyType::kDate;
      expression.key_length_ =
          operand.type == FieldType::kNumeric ? kNumericKeyLength : kDateKeyLength;
      expression.field_offset_ = layout.offset(operand.field);
      expression.field_width_ = layout.width(operand.field);
      return expression;
    default:
      error = {ExpressionFault::kLogicalAlone, {}, 0};
      return std::nullopt;
  }
}

void KeyExpression::Evaluate(std::span<const std::uint8_t> record,
                             std::span<std::uint8_t> key) const {
  const auto field = record.subspan(field_offset_, field_width_);
  switch (key_type_) {
    case KeyType::kNumeric:
      EncodeNumericKeyFromText(AsChars(field), key);
      return;
    case KeyType::kDate:
      EncodeDateKey(LoadDate(field), key);
      return;
    case KeyType::kCharacter:
      break;
  }
  std::size_t at = 0;
  for (const Piece& piece : pieces_) {
    EvaluatePiece(piece, record, key.subspan(at, piece.length));
    at += piece.length;
  }
}

void KeyExpression::EvaluatePiece(const Piece& piece, std::span<const std::uint8_t> record,
                                  std::span<std::uint8_t> out) const {
  const auto field = record.subspan(piece.offset, piece.width);
  switch (piece.kind) {
    case Piece::Kind::kText:
    case Piece::Kind::kDateText:
      std::copy(field.begin(), field.end(), out.begin());
      break;
    case Piece::Kind::kNumberText:
      FormatFixed(ParseDecimalText(AsChars(field)).value_or(DecimalDigits{}), piece.decimals, out);
      break;
    case Piece::Kind::kLogical: {
      const std::optional<bool> value = LoadLogical(field);
      out[0] = value ? (*value ? 'T' : 'F') : ' ';
      break;
    }
  }
  if (piece.upper) {
    // The table itself rather than UpperCp852: this runs for every byte of every key.
    for (std::uint8_t& byte : out) byte = kDb852po0Upper[byte];
  }
}

}  // namespace konwerter::engine
