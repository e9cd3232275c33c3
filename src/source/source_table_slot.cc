#include "source/source_table_slot.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>
#include <string>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/dos_path.h"
#include "source/field_descriptors.h"

namespace konwerter::source {

namespace {

inline constexpr std::uint8_t kSpace = ' ';
// The reader keeps only the first 12 bytes of the header: the record count and the lengths.
inline constexpr std::size_t kHeaderCopySize = dbf::kRecordLengthOffset + 2;
inline constexpr std::uint32_t kMaxBufferRecords = std::numeric_limits<std::uint16_t>::max();

// What makes the header lengths unusable for a file of `size` bytes; none when nothing.
TableFault HeaderLengthFault(const SourceTableHeader& header, std::uint64_t size) {
  if (header.header_length < dbf::HeaderLength(1)) {
    return {TableFaultKind::kNoFields, header.header_length};
  }
  if (header.header_length > size) {
    return {TableFaultKind::kHeaderBeyondFile, header.header_length, size};
  }
  if (header.record_length == 0) return {TableFaultKind::kZeroRecordLength};
  return {};
}

// Where the field descriptors end: the terminator must follow the last descriptor the
// header length leaves room for, and the header must end right after it, or one byte later
// when that byte is the zero dBase III writes there. Any other length would put the records
// where no dBase III or Clipper writer puts them.
TableFault HeaderEndFault(platform::File& file, const SourceTableHeader& header,
                          std::size_t field_count) {
  std::array<std::uint8_t, 2> end{};  // the terminator and the byte after it
  const std::size_t got = file.ReadAt(dbf::HeaderLength(field_count) - 1, end);
  if (got < 1 || end[0] != dbf::kHeaderTerminator) {
    return {TableFaultKind::kNoDescriptorEnd, field_count, header.header_length};
  }
  const bool padded = got == end.size() && end[1] == dbf::kTerminatorPadding;
  const std::size_t expected =
      padded ? dbf::PaddedHeaderLength(field_count) : dbf::HeaderLength(field_count);
  if (header.header_length != expected) {
    return {TableFaultKind::kHeaderLengthMismatch, header.header_length, expected};
  }
  return {};
}

// What makes the field descriptors disagree with the header; none when nothing.
TableFault DescriptorFault(platform::File& file, const SourceTableHeader& header,
                           const std::vector<SourceField>& fields) {
  if (TableFault fault = HeaderEndFault(file, header, fields.size())) return fault;
  std::uint64_t widths = dbf::kDeletionFlagSize;
  for (const SourceField& field : fields) {
    const bool letter = field.type >= 'A' && field.type <= 'Z';
    if (field.width == 0 || !letter) {
      return {TableFaultKind::kBadDescriptor,
              static_cast<std::uint64_t>(&field - fields.data() + 1), field.width, field.name,
              letter ? field.type : char{0}};
    }
    widths += field.width;
  }
  if (widths != header.record_length) {
    return {TableFaultKind::kRecordLengthMismatch, header.record_length, widths};
  }
  return {};
}

// Whether the records lie where the header puts them: the deletion flags of up to
// kFlagSamples records spread over the table, the first and the last among them, must be a
// space or "*". A few damaged records are read around as they are met; when more than half
// of those sampled (and at least two) fail, the header misplaces them all.
TableFault MisplacedRecordsFault(platform::File& file, const SourceTableHeader& header) {
  constexpr std::uint32_t kFlagSamples = 64;
  constexpr std::uint32_t kFewestMisplaced = 2;
  const std::uint32_t samples = std::min(header.record_count, kFlagSamples);
  std::uint32_t failed = 0;
  for (std::uint32_t i = 0; i < samples; ++i) {
    const std::uint64_t record =
        samples == 1 ? 0 : std::uint64_t{i} * (header.record_count - 1) / (samples - 1);
    std::array<std::uint8_t, 1> flag{};
    file.ReadAt(header.header_length + record * header.record_length, flag);
    if (flag[0] != dbf::kLiveRecord && flag[0] != dbf::kDeletedRecord) ++failed;
  }
  if (failed >= kFewestMisplaced && failed * 2 > samples) {
    return {TableFaultKind::kRecordsMisaligned, failed, samples};
  }
  return {};
}

bool SameNameIgnoringCase(std::string_view stored, std::string_view wanted) {
  return stored.size() == wanted.size() &&
         std::equal(stored.begin(), stored.end(), wanted.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) ==
                  std::toupper(static_cast<unsigned char>(b));
         });
}

}  // namespace

OpenedTable SourceTableSlot::Open(std::string_view path) {
  auto file = platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  if (!file) return {kSourceCannotOpen, nullptr, {}, {}};
  const std::uint64_t size = file->Size();
  std::array<std::uint8_t, kHeaderCopySize> header_copy{};
  if (file->ReadAt(0, header_copy) < header_copy.size()) {
    return {kSourceShortRead,
            nullptr,
            {size == 0 ? TableFaultKind::kEmptyFile : TableFaultKind::kShorterThanHeader, size},
            {}};
  }
  SourceTableHeader header = ParseHeaderCopy(header_copy);
  if (TableFault fault = HeaderLengthFault(header, size)) {
    return {kSourceBadStructure, nullptr, std::move(fault), {}};
  }
  std::optional<std::vector<SourceField>> fields = ReadFieldDescriptors(*file, header);
  if (!fields) {
    return {kSourceBadStructure, nullptr, {TableFaultKind::kDescriptorsBeyondFile}, {}};
  }
  if (TableFault fault = DescriptorFault(*file, header, *fields)) {
    return {kSourceBadStructure, nullptr, std::move(fault), {}};
  }
  // Only whole records are read: a count the file cannot hold (a crash while appending, a
  // damaged header) is cut to what is there, and said.
  const std::uint64_t whole = (size - header.header_length) / header.record_length;
  ShortTable short_table;
  if (header.record_count > whole) {
    short_table = {header.record_count, static_cast<std::uint32_t>(whole)};
    header.record_count = static_cast<std::uint32_t>(whole);
  }
  if (TableFault fault = MisplacedRecordsFault(*file, header)) {
    return {kSourceBadStructure, nullptr, std::move(fault), {}};
  }
  auto table = std::make_unique<SourceTableSlot>(std::move(*file), header, std::move(*fields));
  const std::int32_t status = table->GoTo(0);
  return {status, std::move(table), {}, short_table};
}

SourceTableSlot::SourceTableSlot(platform::File file, SourceTableHeader header,
                                 std::vector<SourceField> fields)
    : file_(std::move(file)),
      header_(header),
      fields_(std::move(fields)),
      buffer_(header.record_length, kSpace) {}

std::int32_t SourceTableSlot::GoTo(std::int64_t record) {
  if (record == 0 && header_.record_count == 0) {
    at_end_ = true;
    return kSourceOk;
  }
  // Record numbers are signed 32-bit: a header counting more records leaves the rest unreachable.
  if (record >= header_.record_count || record > std::numeric_limits<std::int32_t>::max()) {
    at_end_ = true;
    return kSourcePastEnd;
  }
  if (record < 0) return kSourceNegativeRecord;

  const std::int64_t step = record - current_;
  current_ = static_cast<std::int32_t>(record);
  const std::int64_t moved = position_ + step;
  const bool in_window = position_ >= 0 && step != 0 && moved >= 0 && moved < capacity_;
  position_ = in_window ? static_cast<std::int32_t>(moved) : -1;
  if (!in_window) {
    if (!Refill()) return kSourceShortRead;
    position_ = 0;
  }
  at_end_ = false;
  return kSourceOk;
}

std::optional<std::int32_t> SourceTableSlot::SetReadAhead(std::uint32_t bytes) {
  if (header_.record_length == 0) return std::nullopt;
  const std::uint32_t records = std::min(bytes / header_.record_length, kMaxBufferRecords);
  if (records == 0) return std::nullopt;
  capacity_ = static_cast<std::uint16_t>(records);
  buffer_.assign(std::size_t{capacity_} * header_.record_length, kSpace);
  position_ = -1;
  return GoTo(current_);
}

RecordReadResult SourceTableSlot::Read(const TextDelivery& delivery) {
  if (static_cast<std::uint32_t>(current_) >= header_.record_count) {
    at_end_ = true;
    return {kSourcePastEnd, 0};
  }
  return ReadBoundFields(CurrentRecordBytes(), bound_, delivery);
}

bool SourceTableSlot::Bind(std::string_view name, FieldBinding binding) {
  const auto found = std::find_if(fields_.begin(), fields_.end(), [name](const SourceField& field) {
    return SameNameIgnoringCase(field.name, name);
  });
  if (found == fields_.end()) return false;
  found->binding = binding;
  bound_ = BoundFieldsOf(fields_);
  return true;
}

const SourceField* SourceTableSlot::FieldNamed(std::string_view name) const {
  const auto found = std::find_if(fields_.begin(), fields_.end(), [name](const SourceField& field) {
    return SameNameIgnoringCase(field.name, name);
  });
  return found == fields_.end() ? nullptr : &*found;
}

std::span<const std::uint8_t> SourceTableSlot::CurrentRecordBytes() const {
  // Without a usable window (a refill came short) the buffer's start holds what the file
  // had of the current record, completed with spaces.
  const std::size_t position = static_cast<std::size_t>(std::max(position_, 0));
  return std::span(buffer_).subspan(position * header_.record_length, header_.record_length);
}

std::uint64_t SourceTableSlot::RecordOffset(std::int32_t record) const {
  return header_.header_length + static_cast<std::uint64_t>(record) * header_.record_length;
}

bool SourceTableSlot::Refill() {
  // Records past the header's record count are never delivered, so the window is read only
  // as far as the last record: a table shorter than the window costs a single read.
  const std::uint32_t records_left = header_.record_count - static_cast<std::uint32_t>(current_);
  const std::size_t wanted =
      std::size_t{std::min<std::uint32_t>(capacity_, records_left)} * header_.record_length;
  const auto window = std::span(buffer_).first(wanted);
  const std::size_t got = file_.ReadAt(RecordOffset(current_), window);
  std::fill(window.begin() + static_cast<std::ptrdiff_t>(got), window.end(), kSpace);
  return got >= header_.record_length;
}

}  // namespace konwerter::source
