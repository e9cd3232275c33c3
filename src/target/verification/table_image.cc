#include "target/verification/table_image.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/file.h"
#include "platform/little_endian.h"
#include "target/engine/dbf_header.h"
#include "target/schema_string.h"

namespace konwerter::verification {

namespace {

// The header as a correct conversion writes it, for one table of the catalogue.
struct ExpectedHeader {
  engine::RecordLayout layout;
  std::vector<engine::TagDefinition> tags;  // for the indexed-field marks
};

ExpectedHeader Expected(const target::tables::TableStrings& strings) {
  ExpectedHeader expected{CatalogueLayout(strings), {}};
  for (const target::IndexItem& item : target::ParseIndexDefinitions(strings.indexes)) {
    expected.tags.push_back({engine::UpperAscii(item.tag), item.key});
  }
  return expected;
}

// Byte 31 of a descriptor: the index has a tag of the field's name over that field alone.
bool MarkedIndexed(std::string_view field, const std::vector<engine::TagDefinition>& tags) {
  return std::any_of(tags.begin(), tags.end(), [&](const engine::TagDefinition& tag) {
    return engine::SameNameIgnoringCase(tag.name, field) &&
           engine::SameNameIgnoringCase(tag.expression, field);
  });
}

std::string DescriptorText(const engine::FieldDescriptor& field) {
  std::string text =
      field.name + " " + static_cast<char>(field.type) + "(" + std::to_string(field.width);
  if (field.type == engine::FieldType::kNumeric) text += "," + std::to_string(field.decimals);
  return text + ")";
}

// A descriptor as stored, read without judging it.
engine::FieldDescriptor StoredDescriptor(std::span<const std::uint8_t> descriptor) {
  engine::FieldDescriptor field;
  const auto name = descriptor.subspan(dbf::kNameOffset, dbf::kNameSize);
  field.name.assign(name.begin(), std::find(name.begin(), name.end(), std::uint8_t{0}));
  field.type = static_cast<engine::FieldType>(descriptor[dbf::kTypeOffset]);
  field.width = descriptor[dbf::kWidthOffset];
  field.decimals = descriptor[dbf::kDecimalsOffset];
  return field;
}

// Checks one header of a file of known bytes and adds what differs.
class HeaderCheck {
 public:
  HeaderCheck(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
              const ExpectedHeader& expected, DatabaseCheck& check)
      : file_(file), bytes_(bytes), expected_(expected), check_(check) {}

  // True when the records lie where the catalogue puts them.
  bool Run();
  std::uint32_t record_count() const { return record_count_; }

 private:
  void Add(FindingKind kind, std::string field, std::string value, std::string expected) {
    check_.Add(kind, file_, 0, std::move(field), std::move(value), std::move(expected));
  }
  void CheckByte(std::size_t offset, std::uint8_t expected, FindingKind kind);
  bool CheckDescriptors();
  bool CheckRecordArea();

  const std::filesystem::path& file_;
  std::span<const std::uint8_t> bytes_;
  const ExpectedHeader& expected_;
  DatabaseCheck& check_;
  std::uint32_t record_count_ = 0;
};

void HeaderCheck::CheckByte(std::size_t offset, std::uint8_t expected, FindingKind kind) {
  if (bytes_[offset] != expected) {
    Add(kind, {}, std::to_string(bytes_[offset]), std::to_string(expected));
  }
}

bool HeaderCheck::Run() {
  if (bytes_.size() < dbf::kHeaderSize) {
    Add(FindingKind::kHeaderDamaged, {}, std::to_string(bytes_.size()),
        std::to_string(dbf::kHeaderSize));
    return false;
  }
  CheckByte(dbf::kVersionOffset, dbf::kVersionPlain, FindingKind::kHeaderVersion);
  CheckByte(dbf::kLanguageDriverOffset, dbf::kLanguageDriverCp852Polish,
            FindingKind::kLanguageDriver);
  CheckByte(dbf::kProductionIndexOffset,
            expected_.tags.empty() ? std::uint8_t{0} : dbf::kHasProductionIndex,
            FindingKind::kProductionIndexFlag);
  const std::size_t fields = expected_.layout.fields().size();
  const std::size_t header_length = platform::LoadU16(bytes_, dbf::kHeaderLengthOffset);
  if (header_length != dbf::HeaderLength(fields)) {
    Add(FindingKind::kHeaderLength, {}, std::to_string(header_length),
        std::to_string(dbf::HeaderLength(fields)));
    return false;
  }
  if (header_length > bytes_.size()) {
    Add(FindingKind::kHeaderDamaged, {}, std::to_string(bytes_.size()),
        std::to_string(header_length));
    return false;
  }
  CheckByte(header_length - 1, dbf::kHeaderTerminator, FindingKind::kHeaderTerminator);
  const bool fields_match = CheckDescriptors();
  const std::size_t record_length = platform::LoadU16(bytes_, dbf::kRecordLengthOffset);
  if (record_length != expected_.layout.record_length()) {
    Add(FindingKind::kRecordLength, {}, std::to_string(record_length),
        std::to_string(expected_.layout.record_length()));
    return false;
  }
  return CheckRecordArea() && fields_match;
}

bool HeaderCheck::CheckDescriptors() {
  bool match = true;
  for (int i = 0; i < expected_.layout.field_count(); ++i) {
    const auto descriptor =
        bytes_.subspan(dbf::kHeaderSize + dbf::kDescriptorSize * static_cast<std::size_t>(i),
                       dbf::kDescriptorSize);
    const engine::FieldDescriptor& wanted = expected_.layout.field(i);
    const engine::FieldDescriptor stored = StoredDescriptor(descriptor);
    const bool same =
        stored.name == wanted.name && stored.type == wanted.type && stored.width == wanted.width &&
        (wanted.type != engine::FieldType::kNumeric || stored.decimals == wanted.decimals);
    if (!same) {
      Add(FindingKind::kDescriptorMismatch, wanted.name, DescriptorText(stored),
          DescriptorText(wanted));
      match = false;
      continue;
    }
    const std::uint8_t mark = MarkedIndexed(wanted.name, expected_.tags) ? dbf::kIndexedField : 0;
    if (descriptor[dbf::kIndexedFieldOffset] != mark) {
      Add(FindingKind::kIndexedFieldMark, wanted.name,
          std::to_string(descriptor[dbf::kIndexedFieldOffset]), std::to_string(mark));
    }
  }
  return match;
}

// The records within the file, then the end mark and nothing after it.
bool HeaderCheck::CheckRecordArea() {
  record_count_ = platform::LoadU32(bytes_, dbf::kRecordCountOffset);
  const std::size_t header_length = dbf::HeaderLength(expected_.layout.fields().size());
  const std::uint64_t record_length = expected_.layout.record_length();
  const std::uint64_t records_end = header_length + std::uint64_t{record_count_} * record_length;
  if (records_end > bytes_.size()) {
    const std::uint64_t whole = (bytes_.size() - header_length) / record_length;
    Add(FindingKind::kTableTruncated, {}, std::to_string(record_count_), std::to_string(whole));
    return false;
  }
  if (records_end == bytes_.size() || bytes_[records_end] != dbf::kEndOfFile) {
    Add(FindingKind::kEndMarkerMissing, {}, {}, {});
  } else if (records_end + 1 < bytes_.size()) {
    Add(FindingKind::kTrailingBytes, {}, std::to_string(bytes_.size() - records_end - 1), "0");
  }
  return true;
}

}  // namespace

TableImage::TableImage(std::filesystem::path file, engine::RecordLayout layout,
                       std::vector<std::uint8_t> bytes, std::size_t header_length,
                       std::uint32_t record_count)
    : file_(std::move(file)),
      layout_(std::move(layout)),
      bytes_(std::move(bytes)),
      header_length_(header_length),
      record_count_(record_count) {}

engine::RecordLayout CatalogueLayout(const target::tables::TableStrings& strings) {
  std::vector<engine::FieldDescriptor> fields;
  for (const target::SchemaItem& item : target::ParseTableSchema(strings.schema)) {
    fields.push_back(target::FieldFor(item));
  }
  return engine::RecordLayout(engine::NormalizeFields(fields, strings.table));
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
  try {
    auto opened = platform::File::OpenExisting(file, platform::File::Access::kRead);
    if (!opened) return std::nullopt;
    std::vector<std::uint8_t> bytes(opened->Size());
    if (opened->ReadAt(0, bytes) != bytes.size()) return std::nullopt;
    return bytes;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<TableImage> ReadTable(const std::filesystem::path& file,
                                    const target::tables::TableStrings& strings,
                                    DatabaseCheck& check) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(file);
  if (!bytes) {
    check.Add(FindingKind::kTableUnreadable, file);
    return std::nullopt;
  }
  ExpectedHeader expected = Expected(strings);
  HeaderCheck header(file, *bytes, expected, check);
  if (!header.Run()) return std::nullopt;
  const std::size_t header_length = dbf::HeaderLength(expected.layout.fields().size());
  return TableImage(file, std::move(expected.layout), std::move(*bytes), header_length,
                    header.record_count());
}

}  // namespace konwerter::verification
