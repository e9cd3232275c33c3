#include "tools/dos/dos_table_writer.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/little_endian.h"

namespace konwerter::tools {

namespace {

constexpr std::size_t kMaxHeaderLength = 0xFFFF;

void CheckField(const DosField& field) {
  if (field.name.empty() || field.name.size() > dbf::kMaxNameLength) {
    throw std::invalid_argument("a DOS field name has 1 to 10 characters: \"" + field.name + "\"");
  }
  if (field.width == 0) throw std::invalid_argument("field " + field.name + " has width 0");
}

std::size_t RecordLength(const std::vector<DosField>& fields) {
  std::size_t length = 1;  // the deletion flag
  for (const DosField& field : fields) {
    CheckField(field);
    length += field.width;
  }
  if (length > dbf::kMaxRecordLength)
    throw std::invalid_argument("a DOS record is at most 65535 bytes");
  return length;
}

std::uint8_t YearByte(int year) {
  if (year < 1900 || year > 1900 + 0xFF) {
    throw std::invalid_argument("the year of last update must lie in 1900..2155");
  }
  return static_cast<std::uint8_t>(year - 1900);
}

void PutDescriptor(std::span<std::uint8_t> descriptor, const DosField& field) {
  std::copy(field.name.begin(), field.name.end(), descriptor.begin());
  descriptor[dbf::kTypeOffset] = static_cast<std::uint8_t>(field.type);
  descriptor[dbf::kWidthOffset] = field.width;
  descriptor[dbf::kDecimalsOffset] = field.decimals;
}

// Copies `value` into `slot`, padded with spaces on the left (numbers) or on the right.
void PutValue(std::span<std::uint8_t> slot, const DosField& field, const std::string& value) {
  if (value.size() > slot.size()) {
    throw std::invalid_argument("a value of " + std::to_string(value.size()) +
                                " bytes does not fit field " + field.name);
  }
  const std::size_t padding = slot.size() - value.size();
  const std::size_t start = field.type == 'N' ? padding : 0;
  std::fill(slot.begin(), slot.end(), std::uint8_t{' '});
  std::copy(value.begin(), value.end(), slot.begin() + static_cast<std::ptrdiff_t>(start));
}

}  // namespace

DosTableWriter::DosTableWriter(const std::filesystem::path& path, std::vector<DosField> fields,
                               platform::CalendarDate last_update)
    : fields_(std::move(fields)) {
  record_length_ = static_cast<std::uint16_t>(RecordLength(fields_));
  const std::size_t header_length = dbf::HeaderLength(fields_.size());
  if (header_length > kMaxHeaderLength) throw std::invalid_argument("too many fields");
  header_length_ = static_cast<std::uint16_t>(header_length);
  record_.resize(record_length_);
  out_.emplace(path);
  WriteHeader(last_update);
}

DosTableWriter::~DosTableWriter() {
  try {
    Finish();
  } catch (...) {
    // A destructor must not throw; callers who care call Finish() themselves.
  }
}

void DosTableWriter::WriteHeader(platform::CalendarDate last_update) {
  std::vector<std::uint8_t> header(header_length_, 0);
  header[dbf::kVersionOffset] = dbf::kVersionPlain;
  header[dbf::kUpdateDateOffset] = YearByte(last_update.year);
  header[dbf::kUpdateDateOffset + 1] = static_cast<std::uint8_t>(last_update.month);
  header[dbf::kUpdateDateOffset + 2] = static_cast<std::uint8_t>(last_update.day);
  platform::StoreU32(header, dbf::kRecordCountOffset, 0);  // set by Finish()
  platform::StoreU16(header, dbf::kHeaderLengthOffset, header_length_);
  platform::StoreU16(header, dbf::kRecordLengthOffset, record_length_);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const std::size_t offset = dbf::kHeaderSize + i * dbf::kDescriptorSize;
    PutDescriptor(std::span(header).subspan(offset, dbf::kDescriptorSize), fields_[i]);
  }
  header.back() = dbf::kHeaderTerminator;
  out_->Append(header);
}

void DosTableWriter::Add(const std::vector<std::string>& values, bool deleted) {
  if (!out_) throw std::logic_error("DosTableWriter::Add after Finish");
  if (values.size() != fields_.size()) {
    throw std::invalid_argument("a record needs " + std::to_string(fields_.size()) +
                                " values, got " + std::to_string(values.size()));
  }
  record_[0] = deleted ? dbf::kDeletedRecord : dbf::kLiveRecord;
  std::size_t offset = 1;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    PutValue(std::span(record_).subspan(offset, fields_[i].width), fields_[i], values[i]);
    offset += fields_[i].width;
  }
  out_->Append(record_);
  ++record_count_;
}

void DosTableWriter::Finish() {
  if (!out_) return;
  // Taken out first, so that a failure here is not repeated by the destructor.
  BlockWriter out = std::move(*out_);
  out_.reset();
  const std::uint8_t end_mark[] = {dbf::kEndOfFile};
  out.Append(end_mark);
  std::uint8_t count[4];
  platform::StoreU32(count, 0, record_count_);
  out.Patch(dbf::kRecordCountOffset, count);
  out.Close();
}

std::string DosKey(std::uint32_t key) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>(key >> (8 * i));
  return bytes;
}

std::string DosReference(std::uint16_t record) {
  return {static_cast<char>(record & 0xFF), static_cast<char>(record >> 8)};
}

std::string DosDate(int year, int month, int day) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

std::string DosNumber(double value, int width, int decimals) {
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string digits = text;
  // A value that rounds to zero is written without a sign, as Clipper does.
  if (digits.front() == '-' && digits.find_first_not_of("-0.") == std::string::npos) {
    digits.erase(0, 1);
  }
  const auto size = static_cast<std::size_t>(std::max(width, 0));
  if (digits.size() > size) return std::string(size, '*');
  return std::string(size - digits.size(), ' ') + digits;
}

}  // namespace konwerter::tools
