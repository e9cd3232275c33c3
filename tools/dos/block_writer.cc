#include "tools/dos/block_writer.h"

#include <algorithm>

#include "platform/io_error.h"

namespace konwerter::tools {

BlockWriter::BlockWriter(const std::filesystem::path& path, std::size_t block_size)
    : file_(platform::File::Create(path)), block_size_(std::max<std::size_t>(block_size, 1)) {
  buffer_.reserve(block_size_);
}

void BlockWriter::Append(std::span<const std::uint8_t> bytes) {
  if (buffer_.size() + bytes.size() > block_size_) Flush();
  if (bytes.size() >= block_size_) {
    file_.Write(bytes);
    written_ += bytes.size();
    return;
  }
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void BlockWriter::AppendFill(std::uint8_t byte, std::size_t count) {
  while (count > 0) {
    if (buffer_.size() == block_size_) Flush();
    const std::size_t part = std::min(count, block_size_ - buffer_.size());
    buffer_.insert(buffer_.end(), part, byte);
    count -= part;
  }
}

void BlockWriter::Patch(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  // The range may lie on the disk, in the buffer, or across both.
  const std::size_t on_disk =
      offset < written_
          ? static_cast<std::size_t>(std::min<std::uint64_t>(written_ - offset, bytes.size()))
          : 0;
  if (on_disk > 0) file_.WriteAt(offset, bytes.first(on_disk));
  const auto in_buffer = bytes.subspan(on_disk);
  if (in_buffer.empty()) return;
  const auto buffer_offset = static_cast<std::ptrdiff_t>(offset + on_disk - written_);
  std::copy(in_buffer.begin(), in_buffer.end(), buffer_.begin() + buffer_offset);
}

void BlockWriter::Close() {
  if (closed_) return;
  closed_ = true;
  Flush();
  if (!file_.Close()) throw platform::IoError(platform::IoFault::kClose, file_.path().string());
}

void BlockWriter::Flush() {
  if (buffer_.empty()) return;
  file_.Write(buffer_);
  written_ += buffer_.size();
  buffer_.clear();
}

}  // namespace konwerter::tools
