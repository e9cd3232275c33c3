#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file.h"
#include "source/index_fault.h"
#include "source/key_map.h"
#include "source/ntx_layout.h"
#include "source/ntx_page_cache.h"

namespace konwerter::source {

// Status codes of the last index operation; 0 is success.
enum IndexStatus : std::uint16_t {
  kIndexOk = 0,
  kIndexCannotOpen = 1,
  kIndexShortHeader = 2,  // header shorter than 1024 bytes
  kIndexCloseFailed = 3,
  kIndexBadPage = 4,     // a page could not be read, or the descent went deeper than 30
  kIndexKeyTooLong = 5,  // key size above 255
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

  // Opens the index at `path` (a program path) and loads its header and root page.
  // Status 1 when the file cannot be opened, 2 when the header is short, 5 when the key
  // size is above 255 (the file is then closed). When the root page cannot be read the
  // index is closed again and the status is that of the close.
  void Open(std::string_view path);
  // Finds the record carrying `key` (padded with spaces to the key size). A key longer
  // than the key size is never found. Reloads the header and root first when the file's
  // modification stamp changed (which also drops every page kept from earlier seeks).
  // A page that cannot be read, is damaged, or lies deeper than 30 levels gives status 4
  // and not found.
  // Throws IoError when the index is not open (a failed open included).
  SeekResult Seek(std::string_view key);
  // Status 3 when the system reports a failing close.
  void Close();

  // Answers every seek from `keys` (built from the table, see key_map.h) instead of the
  // file, which is then never read: for indexes that are stale or damaged. Status 0.
  void UseKeyMap(KeyMap keys, std::uint16_t key_size);
  // With this set, a seek that meets a damaged page raises IoError naming the index and
  // what is wrong instead of answering "not found" (a damaged index must not pass for a
  // missing key).
  void set_fail_on_damage(bool on) { fail_on_damage_ = on; }
  // What is wrong with the index as its last open found it (a short header, a key size
  // impossible for the page, a root page beyond the file or off the page grid); none when
  // nothing, or when the file could not be opened at all.
  IndexFault StructureFault() const;
  // Reads every page of the open index once (see ntx_tree_check.h) and finds the first fault
  // that would make a look-up go wrong, an entry leading to no record of a table of
  // `table_records` records included. None for a sound index and for a look-up built from
  // its table. Throws IoError on a read fault.
  IndexFault CheckTree(std::uint32_t table_records);

  bool is_open() const { return file_.has_value() || key_map_.has_value(); }
  std::uint16_t status() const { return status_; }
  // From the header last read (also when it was refused).
  std::uint16_t key_size() const { return key_size_; }
  std::uint32_t root_offset() const { return root_offset_; }

 private:
  // Reads the header and the root page of the open file; on failure the file is closed
  // and the status tells why.
  bool LoadHeaderAndRoot();
  // The failure of a seek on a damaged page: status 4, or IoError with fail_on_damage_.
  SeekResult Damaged(IndexFault fault);

  std::optional<platform::File> file_;
  std::string path_;
  std::uint16_t status_ = kIndexOk;
  std::uint16_t key_size_ = 0;
  std::uint32_t root_offset_ = 0;
  std::int64_t stamp_ = 0;
  IndexPage root_page_;
  // Pages below the root, kept while the file's modification stamp stays the same.
  IndexPageCache pages_;
  std::optional<KeyMap> key_map_;
  bool fail_on_damage_ = false;
};

}  // namespace konwerter::source
