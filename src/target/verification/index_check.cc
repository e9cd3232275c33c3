#include "target/verification/index_check.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "target/engine/engine_error.h"
#include "target/engine/key_expression.h"
#include "target/engine/mdx_reader.h"
#include "target/schema_string.h"
#include "target/verification/value_text.h"

namespace konwerter::verification {

namespace {

// The walk of one tag: what it has seen so far.
class TagWalk {
 public:
  TagWalk(const TableImage& table, const engine::KeyExpression& expression, std::string tag,
          const std::filesystem::path& mdx_file, DatabaseCheck& check)
      : table_(table),
        expression_(expression),
        order_(expression.key_type()),
        tag_(std::move(tag)),
        mdx_file_(mdx_file),
        check_(check),
        seen_(std::size_t{table.record_count()} + 1, 0),
        expected_(expression.key_length()),
        previous_(expression.key_length()) {}

  void Visit(std::span<const std::uint8_t> key, std::uint32_t record);
  // Every record without a key, after the whole tag was walked.
  void FindRecordsWithoutKey();

 private:
  void Add(FindingKind kind, std::uint32_t record, std::string value, std::string expected = {}) {
    check_.Add(kind, mdx_file_, record, tag_, std::move(value), std::move(expected));
  }
  void CheckOrder(std::span<const std::uint8_t> key, std::uint32_t record);

  const TableImage& table_;
  const engine::KeyExpression& expression_;
  const engine::KeyOrder order_;
  const std::string tag_;
  const std::filesystem::path& mdx_file_;
  DatabaseCheck& check_;
  std::vector<std::uint8_t> seen_;  // keys met per record number
  std::vector<std::uint8_t> expected_;
  std::vector<std::uint8_t> previous_;
  std::uint32_t previous_record_ = 0;  // 0: no key yet
};

void TagWalk::Visit(std::span<const std::uint8_t> key, std::uint32_t record) {
  CheckOrder(key, record);
  if (record == 0 || record > table_.record_count()) {
    Add(FindingKind::kKeyWithoutRecord, record, KeyText(expression_.key_type(), key));
    return;
  }
  if (seen_[record]++ == 1) {
    Add(FindingKind::kDuplicateKey, record, KeyText(expression_.key_type(), key));
  }
  expression_.Evaluate(table_.Record(record), expected_);
  if (!std::equal(expected_.begin(), expected_.end(), key.begin())) {
    Add(FindingKind::kKeyDiffers, record, KeyText(expression_.key_type(), key),
        KeyText(expression_.key_type(), expected_));
  }
}

void TagWalk::CheckOrder(std::span<const std::uint8_t> key, std::uint32_t record) {
  if (previous_record_ != 0) {
    const bool same = std::memcmp(previous_.data(), key.data(), key.size()) == 0;
    const int order = same ? 0 : order_.Compare(previous_, key);
    if (order > 0 || (order == 0 && previous_record_ > record)) {
      Add(FindingKind::kKeyOutOfOrder, record, KeyText(expression_.key_type(), key),
          KeyText(expression_.key_type(), previous_));
    }
  }
  std::copy(key.begin(), key.end(), previous_.begin());
  previous_record_ = std::max<std::uint32_t>(record, 1);
}

void TagWalk::FindRecordsWithoutKey() {
  for (std::uint32_t record = 1; record <= table_.record_count(); ++record) {
    if (seen_[record] == 0) Add(FindingKind::kRecordWithoutKey, record, {});
  }
}

// The tag the catalogue defines, as the engine would build it for the table.
struct ExpectedTag {
  std::string name;
  std::string expression_text;
  engine::KeyExpression expression;
};

std::vector<ExpectedTag> ExpectedTags(const TableImage& table, std::string_view definitions) {
  std::vector<ExpectedTag> tags;
  for (const target::IndexItem& item : target::ParseIndexDefinitions(definitions)) {
    engine::ExpressionError error;
    std::optional<engine::KeyExpression> expression =
        engine::KeyExpression::Parse(item.key, table.layout(), error);
    // The catalogue's expressions are tested to parse against its own schemas.
    if (expression) tags.push_back({engine::UpperAscii(item.tag), item.key, *expression});
  }
  return tags;
}

// The tags of the index against the catalogue's; the tags that agree are walked.
class IndexCheck {
 public:
  IndexCheck(const TableImage& table, const std::filesystem::path& mdx_file, DatabaseCheck& check)
      : table_(table), mdx_file_(mdx_file), check_(check) {}

  void Run(engine::mdx::IndexReader& reader, std::string_view definitions);

 private:
  void AddTagMismatch(const std::string& tag, std::string value, std::string expected) {
    check_.Add(FindingKind::kTagMismatch, mdx_file_, 0, tag, std::move(value), std::move(expected));
  }
  bool Agrees(const engine::TagInfo& stored, const ExpectedTag& wanted);

  const TableImage& table_;
  const std::filesystem::path& mdx_file_;
  DatabaseCheck& check_;
};

bool IndexCheck::Agrees(const engine::TagInfo& stored, const ExpectedTag& wanted) {
  const engine::KeyExpression& expression = wanted.expression;
  if (stored.definition.expression != wanted.expression_text) {
    AddTagMismatch(wanted.name, stored.definition.expression, wanted.expression_text);
    return false;
  }
  if (stored.key_type != expression.key_type() || stored.key_length != expression.key_length()) {
    AddTagMismatch(
        wanted.name,
        std::string(1, static_cast<char>(stored.key_type)) + std::to_string(stored.key_length),
        std::string(1, static_cast<char>(expression.key_type())) +
            std::to_string(expression.key_length()));
    return false;
  }
  return true;
}

void IndexCheck::Run(engine::mdx::IndexReader& reader, std::string_view definitions) {
  const std::vector<ExpectedTag> wanted = ExpectedTags(table_, definitions);
  const std::vector<engine::TagInfo>& stored = reader.tags();
  for (const engine::TagInfo& info : stored) {
    const bool known = std::any_of(wanted.begin(), wanted.end(), [&](const ExpectedTag& tag) {
      return tag.name == info.definition.name;
    });
    if (!known) AddTagMismatch(info.definition.name, info.definition.expression, {});
  }
  for (const ExpectedTag& tag : wanted) {
    const auto found = std::find_if(stored.begin(), stored.end(), [&](const engine::TagInfo& info) {
      return info.definition.name == tag.name;
    });
    if (found == stored.end()) {
      AddTagMismatch(tag.name, {}, tag.expression_text);
      continue;
    }
    if (!Agrees(*found, tag)) continue;
    TagWalk walk(table_, tag.expression, tag.name, mdx_file_, check_);
    reader.VisitKeys(tag.name, [&](std::span<const std::uint8_t> key, std::uint32_t record) {
      walk.Visit(key, record);
    });
    walk.FindRecordsWithoutKey();
  }
}

}  // namespace

void CheckIndex(const TableImage& table, const std::filesystem::path& mdx_file,
                std::string_view index_definitions, DatabaseCheck& check) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(mdx_file);
  if (!bytes) {
    check.Add(FindingKind::kIndexMissing, mdx_file);
    return;
  }
  try {
    engine::mdx::IndexReader reader(std::move(*bytes), Utf8Name(mdx_file));
    IndexCheck(table, mdx_file, check).Run(reader, index_definitions);
  } catch (const engine::EngineError& error) {
    check.AddIndexDamaged(mdx_file, error);
  }
}

}  // namespace konwerter::verification
