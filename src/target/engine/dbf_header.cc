#include "target/engine/dbf_header.h"

#include <algorithm>
#include <string>

#include "platform/dbf_layout.h"
#include "platform/little_endian.h"
#include "target/engine/failure.h"

namespace konwerter::engine {

namespace {

// The field type a descriptor's letter stands for; F (float) is stored like N.
bool TypeFromLetter(std::uint8_t letter, FieldType& type) {
  switch (letter) {
    case 'C':
      type = FieldType::kCharacter;
      return true;
    case 'N':
    case 'F':
      type = FieldType::kNumeric;
      return true;
    case 'D':
      type = FieldType::kDate;
      return true;
    case 'L':
      type = FieldType::kLogical;
      return true;
    case 'M':
      type = FieldType::kMemo;
      return true;
    default:
      return false;
  }
}

// The width a type must have, or 0 when any width will do.
int FixedWidth(FieldType type) {
  switch (type) {
    case FieldType::kDate:
      return dbf::kDateWidth;
    case FieldType::kLogical:
      return dbf::kLogicalWidth;
    case FieldType::kMemo:
      return dbf::kMemoWidth;
    default:
      return 0;
  }
}

FieldDescriptor ParseDescriptor(std::span<const std::uint8_t> descriptor, std::string_view table) {
  FieldDescriptor field;
  const auto name = descriptor.subspan(dbf::kNameOffset, dbf::kNameSize);
  const auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
  field.name.assign(name.begin(), end);
  if (field.name.empty()) Fail(EngineFault::kFieldWithoutName, table);
  if (!TypeFromLetter(descriptor[dbf::kTypeOffset], field.type)) {
    Fail(EngineFault::kFieldTypeUnsupported, table, field.name);
  }
  field.width = descriptor[dbf::kWidthOffset];
  field.decimals = field.type == FieldType::kNumeric ? descriptor[dbf::kDecimalsOffset] : 0;
  const int fixed = FixedWidth(field.type);
  if (field.width == 0 || (fixed != 0 && field.width != fixed)) {
    Fail(EngineFault::kFieldWidthDamaged, table, field.name);
  }
  return field;
}

bool HasName(const std::vector<FieldDescriptor>& fields, std::string_view name) {
  return std::any_of(fields.begin(), fields.end(), [&](const FieldDescriptor& field) {
    return SameNameIgnoringCase(field.name, name);
  });
}

bool IsPlainName(std::string_view name) {
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

FieldDescriptor NormalizeField(const FieldDescriptor& given, std::string_view table) {
  FieldDescriptor field = given;
  field.name = UpperAscii(given.name);
  if (field.name.empty() || field.name.size() > dbf::kMaxNameLength || !IsPlainName(field.name)) {
    Fail(EngineFault::kFieldNameRefused, table, given.name);
  }
  if (const int fixed = FixedWidth(field.type); fixed != 0) field.width = fixed;
  if (field.type != FieldType::kNumeric) field.decimals = 0;
  bool valid = true;
  switch (field.type) {
    case FieldType::kCharacter:
      valid = field.width >= 1 && field.width <= dbf::kMaxCharacterWidth;
      break;
    case FieldType::kNumeric:
      valid = field.width >= 1 && field.width <= dbf::kMaxNumericWidth && field.decimals >= 0 &&
              (field.decimals == 0 || field.decimals <= field.width - 2);
      break;
    case FieldType::kDate:
    case FieldType::kLogical:
    case FieldType::kMemo:
      break;
    default:
      valid = false;
  }
  if (!valid) Fail(EngineFault::kFieldDefinitionRefused, table, field.name);
  return field;
}

}  // namespace

std::size_t DeclaredHeaderLength(std::span<const std::uint8_t> first_bytes, std::uint64_t file_size,
                                 std::string_view table) {
  if (first_bytes.size() < dbf::kHeaderSize || file_size < dbf::kHeaderSize) {
    Fail(EngineFault::kTableShorterThanHeader, table);
  }
  const std::size_t length = platform::LoadU16(first_bytes, dbf::kHeaderLengthOffset);
  if (length < dbf::kHeaderSize + 1 || length > file_size) {
    Fail(EngineFault::kHeaderBeyondFile, table);
  }
  return length;
}

DbfHeader ParseDbfHeader(std::span<const std::uint8_t> header, std::uint64_t file_size,
                         std::string_view table) {
  DbfHeader result;
  result.version = header[dbf::kVersionOffset];
  if ((result.version & dbf::kVersionFamilyMask) != dbf::kVersionFamily) {
    Fail(EngineFault::kVersionUnsupported, table);
  }
  result.record_count = platform::LoadU32(header, dbf::kRecordCountOffset);
  result.header_length = header.size();
  result.production_index = header[dbf::kProductionIndexOffset] == dbf::kHasProductionIndex;
  result.language_driver = header[dbf::kLanguageDriverOffset];

  std::vector<FieldDescriptor> fields;
  std::size_t position = dbf::kHeaderSize;
  while (position < header.size() && header[position] != dbf::kHeaderTerminator) {
    if (position + dbf::kDescriptorSize > header.size()) {
      Fail(EngineFault::kFieldListBeyondHeader, table);
    }
    FieldDescriptor field = ParseDescriptor(header.subspan(position, dbf::kDescriptorSize), table);
    if (HasName(fields, field.name)) Fail(EngineFault::kFieldNameRepeated, table, field.name);
    fields.push_back(std::move(field));
    position += dbf::kDescriptorSize;
  }
  if (fields.empty()) Fail(EngineFault::kNoFields, table);

  std::uint64_t widths = dbf::kDeletionFlagSize;
  for (const FieldDescriptor& field : fields) widths += static_cast<std::uint64_t>(field.width);
  const std::uint64_t record_length = platform::LoadU16(header, dbf::kRecordLengthOffset);
  if (record_length != widths) {
    Fail(EngineFault::kRecordLengthMismatch, table);
  }
  const std::uint64_t records_end =
      result.header_length + static_cast<std::uint64_t>(result.record_count) * record_length;
  if (records_end > file_size) Fail(EngineFault::kRecordsBeyondFile, table);
  result.layout = RecordLayout(std::move(fields));
  return result;
}

std::vector<FieldDescriptor> NormalizeFields(std::span<const FieldDescriptor> fields,
                                             std::string_view table) {
  if (fields.empty() || fields.size() > static_cast<std::size_t>(dbf::kMaxFields)) {
    Fail(EngineFault::kFieldCountRefused, table);
  }
  std::vector<FieldDescriptor> normalized;
  normalized.reserve(fields.size());
  std::size_t record_length = dbf::kDeletionFlagSize;
  for (const FieldDescriptor& given : fields) {
    FieldDescriptor field = NormalizeField(given, table);
    if (HasName(normalized, field.name)) Fail(EngineFault::kFieldNameRepeated, table, field.name);
    record_length += static_cast<std::size_t>(field.width);
    normalized.push_back(std::move(field));
  }
  if (record_length > dbf::kMaxRecordLength) Fail(EngineFault::kRecordTooLong, table);
  return normalized;
}

std::vector<std::uint8_t> EncodeDbfHeader(const RecordLayout& layout, std::uint32_t record_count,
                                          platform::CalendarDate today) {
  const std::size_t length = dbf::HeaderLength(layout.fields().size());
  std::vector<std::uint8_t> header(length, 0);
  const bool has_memo =
      std::any_of(layout.fields().begin(), layout.fields().end(),
                  [](const FieldDescriptor& f) { return f.type == FieldType::kMemo; });
  header[dbf::kVersionOffset] = has_memo ? dbf::kVersionWithMemo : dbf::kVersionPlain;
  StoreDbfDate(header, dbf::kUpdateDateOffset, today);
  platform::StoreU32(header, dbf::kRecordCountOffset, record_count);
  platform::StoreU16(header, dbf::kHeaderLengthOffset, static_cast<std::uint16_t>(length));
  platform::StoreU16(header, dbf::kRecordLengthOffset,
                     static_cast<std::uint16_t>(layout.record_length()));
  header[dbf::kLanguageDriverOffset] = dbf::kLanguageDriverCp852Polish;
  std::size_t position = dbf::kHeaderSize;
  for (const FieldDescriptor& field : layout.fields()) {
    const std::span<std::uint8_t> descriptor(header.data() + position, dbf::kDescriptorSize);
    std::copy(field.name.begin(), field.name.end(), descriptor.begin() + dbf::kNameOffset);
    descriptor[dbf::kTypeOffset] = static_cast<std::uint8_t>(field.type);
    descriptor[dbf::kWidthOffset] = static_cast<std::uint8_t>(field.width);
    descriptor[dbf::kDecimalsOffset] = static_cast<std::uint8_t>(field.decimals);
    descriptor[dbf::kWorkAreaOffset] = dbf::kWorkArea;
    position += dbf::kDescriptorSize;
  }
  header[position] = dbf::kHeaderTerminator;
  return header;
}

void StoreDbfDate(std::span<std::uint8_t> bytes, std::size_t offset, platform::CalendarDate date) {
  bytes[offset] = static_cast<std::uint8_t>(std::clamp(date.year - 1900, 0, 255));
  bytes[offset + 1] = static_cast<std::uint8_t>(date.month);
  bytes[offset + 2] = static_cast<std::uint8_t>(date.day);
}

}  // namespace konwerter::engine
