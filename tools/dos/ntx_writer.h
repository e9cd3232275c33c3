#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace konwerter::tools {

struct NtxEntry {
  std::string key;       // key bytes, any values; padded with spaces to the key size
  std::uint32_t record;  // 1-based record number
};

struct NtxOptions {
  std::uint16_t key_size = 10;     // 1..255
  std::string expression = "KEY";  // stored in the header, not interpreted; <= 255 bytes
  // Keys per page; 0 = as many as Clipper puts in a 1024-byte page for the key size
  // (source::ntx::MaxKeysPerPage). Small values (at least 2) force deep trees.
  std::uint16_t max_keys_per_page = 0;
};

// Writes a Clipper .ntx index holding every entry: a B-tree of 1024-byte pages whose inner
// pages carry keys of their own (as Clipper's do), keys in ascending byte order, equal keys
// in record order. The tree is balanced: every leaf lies at the same depth, every page
// but the root holds at least one key, the root page comes last in the file.
// Throws std::invalid_argument for a key size outside 1..255, an expression longer than
// 255 bytes, a max_keys_per_page of 1 or above what fits a page, a key longer than the key
// size or a record number of 0; platform::IoError when the file cannot be written.
void WriteNtx(const std::filesystem::path& path, const NtxOptions& options,
              std::vector<NtxEntry> entries);

}  // namespace konwerter::tools
