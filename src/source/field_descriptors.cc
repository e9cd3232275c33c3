#include "source/field_descriptors.h"

#include <algorithm>
#include <string>

#include "platform/dbf_layout.h"
#include "platform/little_endian.h"

namespace konwerter::source {

namespace {

// The reader takes a descriptor's name, type, width and decimals: its first 18 bytes.
constexpr std::size_t kDescriptorBytesTaken = dbf::kDecimalsOffset + 1;

std::string StoredName(std::span<const std::uint8_t> descriptor) {
  const auto name = descriptor.subspan(dbf::kNameOffset, dbf::kMaxNameLength);
  const auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
  return std::string(name.begin(), end);
}

SourceField ParseDescriptor(std::span<const std::uint8_t> descriptor, std::uint32_t offset,
                            std::uint16_t record_length) {
  SourceField field;
  field.name = StoredName(descriptor);
  field.type = static_cast<char>(descriptor[dbf::kTypeOffset]);
  field.width = descriptor[dbf::kWidthOffset];
  field.decimals = descriptor[dbf::kDecimalsOffset];
  field.offset = std::min<std::uint32_t>(offset, record_length);
  field.bytes_in_record = std::min<std::uint32_t>(field.width, record_length - field.offset);
  return field;
}

}  // namespace

SourceTableHeader ParseHeaderCopy(std::span<const std::uint8_t> bytes) {
  return {platform::LoadU32(bytes, dbf::kRecordCountOffset),
          platform::LoadU16(bytes, dbf::kHeaderLengthOffset),
          platform::LoadU16(bytes, dbf::kRecordLengthOffset)};
}

std::optional<std::vector<SourceField>> ReadFieldDescriptors(platform::File& file,
                                                             const SourceTableHeader& header) {
  const std::size_t slots = header.header_length / dbf::kDescriptorSize;
  if (slots < 2) return std::vector<SourceField>{};
  const std::size_t count = slots - 1;
  std::vector<std::uint8_t> bytes(count * dbf::kDescriptorSize);
  const std::size_t needed = bytes.size() - dbf::kDescriptorSize + kDescriptorBytesTaken;
  if (file.ReadAt(dbf::kDescriptorSize, bytes) < needed) return std::nullopt;
  std::vector<SourceField> fields;
  fields.reserve(count);
  std::uint32_t offset = dbf::kDeletionFlagSize;
  for (std::size_t i = 0; i < count; ++i) {
    const auto descriptor = std::span(bytes).subspan(i * dbf::kDescriptorSize);
    fields.push_back(ParseDescriptor(descriptor, offset, header.record_length));
    offset += fields.back().width;
  }
  return fields;
}

}  // namespace konwerter::source
