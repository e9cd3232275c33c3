#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace konwerter::tools {

struct NtxEntry {
  std::string key;        // key bytes, any values; padded with spaces to the key size
  std::uint32_t record;   // 1-based record number
};

struct NtxOptions {
  std::uint16_t key_size = 10;       // 1..255
  std::string expression = "KEY";    // stored in the header, not interpreted
  // Keys per page; 0 = as many as fit in a 1024-byte page. Small values force deep trees.
  std::uint16_t max_keys_per_page = 0;
};

// Writes a Clipper .ntx index holding every entry: a B-tree of 1024-byte pages whose inner
// pages carry keys of their own (as Clipper's do), keys in ascending byte order, equal keys
// in record order.
void WriteNtx(const std::filesystem::path& path, const NtxOptions& options,
              std::vector<NtxEntry> entries);

}  // namespace konwerter::tools
