#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/file.h"

namespace konwerter::tools {

// Writes a new file front to back through a large buffer, so that files of millions of
// records cost one system call per block. Bytes already written can be patched in place.
class BlockWriter {
 public:
  static constexpr std::size_t kDefaultBlockSize = std::size_t{1} << 20;

  // Creates (or empties) the file. Throws platform::IoError when it cannot.
  explicit BlockWriter(const std::filesystem::path& path,
                       std::size_t block_size = kDefaultBlockSize);

  // Appends bytes after everything appended so far.
  void Append(std::span<const std::uint8_t> bytes);
  // Appends `count` copies of `byte`.
  void AppendFill(std::uint8_t byte, std::size_t count);
  // Overwrites bytes at `offset`.
  // REQUIRES: offset + bytes.size() <= size().
  void Patch(std::uint64_t offset, std::span<const std::uint8_t> bytes);
  // Writes out the buffered bytes and closes the file; throws platform::IoError on a
  // failing write or close. Later calls do nothing.
  void Close();

  // The length of the file once everything appended is written.
  std::uint64_t size() const { return written_ + buffer_.size(); }

 private:
  void Flush();

  platform::File file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t block_size_;
  std::uint64_t written_ = 0;
  bool closed_ = false;
};

}  // namespace konwerter::tools
