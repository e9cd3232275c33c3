#include "target/engine/dbf_file.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "target/engine/dbf_header.h"
#include "target/engine/failure.h"

namespace konwerter::engine {

namespace {

// Appended records go to the file, and records are read from it, this many bytes at a time.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

// True when a tag indexes exactly the field of this name (the descriptor's byte 31).
bool IsIndexedField(std::string_view field, const std::vector<TagDefinition>& tags) {
  return std::any_of(tags.begin(), tags.end(), [&](const TagDefinition& tag) {
    return SameNameIgnoringCase(tag.name, field) && SameNameIgnoringCase(tag.expression, field);
  });
}

}  // namespace

DbfFile::DbfFile(platform::File file, std::string display, std::vector<std::uint8_t> header,
                 RecordLayout layout, std::uint32_t record_count)
    : file_(std::move(file)),
      display_(std::move(display)),
      header_(std::move(header)),
      layout_(std::move(layout)),
      record_length_(layout_.record_length()),
      record_count_(record_count),
      records_per_block_(
          static_cast<std::uint32_t>(std::max<std::size_t>(1, kBlockBytes / record_length_))),
      flushed_count_(record_count) {}

DbfFile DbfFile::Open(const std::string& path, std::string display) {
  auto file =
      platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kReadWrite);
  if (!file) Fail(EngineFault::kTableCannotOpen, display);
  const std::uint64_t size = file->Size();
  std::array<std::uint8_t, dbf::kHeaderSize> first{};
  const std::size_t got = file->ReadAt(0, first);
  const std::size_t length =
      DeclaredHeaderLength(std::span<const std::uint8_t>(first.data(), got), size, display);
  std::vector<std::uint8_t> header(length);
  if (file->ReadAt(0, header) != length) Fail(EngineFault::kHeaderUnreadable, display);
  DbfHeader parsed = ParseDbfHeader(header, size, display);
  return DbfFile(std::move(*file), std::move(display), std::move(header), std::move(parsed.layout),
                 parsed.record_count);
}

DbfFile DbfFile::Create(const std::string& path, std::string display, RecordLayout layout,
                        platform::CalendarDate today) {
  std::vector<std::uint8_t> header = EncodeDbfHeader(layout, 0, today);
  platform::File file = platform::File::Create(platform::HostPath(path));
  file.Write(header);
  const std::uint8_t end = dbf::kEndOfFile;
  file.Write(std::span<const std::uint8_t>(&end, 1));
  return DbfFile(std::move(file), std::move(display), std::move(header), std::move(layout), 0);
}

bool DbfFile::DeclaresProductionIndex(const std::string& path) {
  auto file = platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  std::array<std::uint8_t, dbf::kHeaderSize> first{};
  return file && file->ReadAt(0, first) == first.size() &&
         first[dbf::kProductionIndexOffset] == dbf::kHasProductionIndex;
}

bool DbfFile::declares_production_index() const {
  return header_[dbf::kProductionIndexOffset] == dbf::kHasProductionIndex;
}

std::uint64_t DbfFile::RecordOffset(std::uint32_t number) const {
  return header_.size() + std::uint64_t{number - 1} * record_length_;
}

std::span<const std::uint8_t> DbfFile::Read(std::uint32_t number) {
  if (number > flushed_count_) {
    return std::span<const std::uint8_t>(appends_).subspan(
        std::size_t{number - flushed_count_ - 1} * record_length_, record_length_);
  }
  if (number < block_first_ || number >= block_first_ + block_count_) LoadBlock(number);
  return std::span<const std::uint8_t>(block_).subspan(
      std::size_t{number - block_first_} * record_length_, record_length_);
}

void DbfFile::LoadBlock(std::uint32_t number) {
  const std::uint32_t count = std::min(records_per_block_, flushed_count_ - number + 1);
  block_.resize(std::size_t{count} * record_length_);
  block_count_ = 0;
  if (file_.ReadAt(RecordOffset(number), block_) != block_.size()) {
    Fail(EngineFault::kRecordsCutShort, display_);
  }
  block_first_ = number;
  block_count_ = count;
}

void DbfFile::Append(std::span<const std::uint8_t> record) {
  StartAppend(record);
  CommitAppend();
}

std::span<std::uint8_t> DbfFile::StartAppend(std::span<const std::uint8_t> blank) {
  if (record_count_ == UINT32_MAX) Fail(EngineFault::kTooManyRecords, display_);
  // A full buffer is written first, so that the new record never moves while it is filled.
  if (record_count_ - flushed_count_ >= records_per_block_) FlushAppends();
  if (appends_.capacity() == 0) appends_.reserve(std::size_t{records_per_block_} * record_length_);
  appends_.resize(std::size_t{record_count_ - flushed_count_} * record_length_);
  appends_.insert(appends_.end(), blank.begin(), blank.end());
  return std::span<std::uint8_t>(appends_).last(record_length_);
}

void DbfFile::CommitAppend() {
  ++record_count_;
  modified_ = true;
}

void DbfFile::Overwrite(std::uint32_t number, std::span<const std::uint8_t> record) {
  modified_ = true;
  if (number > flushed_count_) {
    std::copy(record.begin(), record.end(),
              appends_.begin() + static_cast<std::ptrdiff_t>(
                                     std::size_t{number - flushed_count_ - 1} * record_length_));
    return;
  }
  file_.WriteAt(RecordOffset(number), record);
  if (number >= block_first_ && number < block_first_ + block_count_) {
    std::copy(record.begin(), record.end(),
              block_.begin() +
                  static_cast<std::ptrdiff_t>(std::size_t{number - block_first_} * record_length_));
  }
}

void DbfFile::FlushAppends() {
  if (record_count_ == flushed_count_) return;
  // Committed records only: a record started and not committed is never written.
  file_.WriteAt(RecordOffset(flushed_count_ + 1),
                std::span<const std::uint8_t>(appends_).first(
                    std::size_t{record_count_ - flushed_count_} * record_length_));
  appends_.clear();
  flushed_count_ = record_count_;
}

bool DbfFile::PatchHeader(platform::CalendarDate today, const std::vector<TagDefinition>& tags) {
  const std::vector<std::uint8_t> before = header_;
  const std::uint8_t flag = tags.empty() ? 0 : dbf::kHasProductionIndex;
  header_[dbf::kProductionIndexOffset] = flag;
  for (int i = 0; i < layout_.field_count(); ++i) {
    const std::size_t descriptor =
        dbf::kHeaderSize + dbf::kDescriptorSize * static_cast<std::size_t>(i);
    header_[descriptor + dbf::kIndexedFieldOffset] =
        IsIndexedField(layout_.field(i).name, tags) ? dbf::kIndexedField : 0;
  }
  if (!modified_ && header_ == before) return false;
  StoreDbfDate(header_, dbf::kUpdateDateOffset, today);
  platform::StoreU32(header_, dbf::kRecordCountOffset, record_count_);
  return true;
}

void DbfFile::Finish(platform::CalendarDate today, const std::vector<TagDefinition>& tags) {
  FlushAppends();
  if (PatchHeader(today, tags)) {
    file_.WriteAt(0, header_);
    const std::uint8_t end = dbf::kEndOfFile;
    file_.WriteAt(RecordOffset(record_count_ + 1), std::span<const std::uint8_t>(&end, 1));
  }
  if (!file_.Close()) throw platform::IoError(platform::IoFault::kClose, display_);
}

}  // namespace konwerter::engine
