#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file.h"

namespace konwerter::source {

// Status codes of the last index operation; 0 is success.
enum IndexStatus : std::uint16_t {
  kIndexOk = 0,
  kIndexCannotOpen = 1,
  kIndexShortHeader = 2,   // header shorter than 1024 bytes
  kIndexCloseFailed = 3,
  kIndexBadPage = 4,       // a page could not be read, or the descent went deeper than 30
  kIndexKeyTooLong = 5,    // key size above 255
};

struct SeekResult {
  bool found = false;
  std::int32_t record = 0;  // 0-based, meaningful only when found
};

// One open Clipper .ntx index, for exact-match look-ups only.
class ClipperIndex {
 public:
  ClipperIndex() = default;
  ClipperIndex(const ClipperIndex&) = delete;
  ClipperIndex& operator=(const ClipperIndex&) = delete;

  void Open(std::string_view path);
  // Finds the record carrying `key` (padded with spaces to the key size). A key longer
  // than the key size is never found. Reloads the header and root first when the file's
  // modification stamp changed.
  SeekResult Seek(std::string_view key);
  void Close();

  bool is_open() const { return file_.has_value(); }
  std::uint16_t status() const { return status_; }
  std::uint16_t key_size() const { return key_size_; }
  std::uint32_t root_offset() const { return root_offset_; }

 private:
  // (implementation details)
  std::optional<platform::File> file_;
  std::uint16_t status_ = kIndexOk;
  std::uint16_t key_size_ = 0;
  std::uint32_t root_offset_ = 0;
  std::int64_t stamp_ = 0;
  std::vector<std::uint8_t> root_page_;
  std::vector<std::uint8_t> page_;
};

}  // namespace konwerter::source
