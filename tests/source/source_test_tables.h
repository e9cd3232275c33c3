#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/dos/dos_table_writer.h"

namespace konwerter::source::testing {

struct TestRow {
  std::vector<std::string> values;
  bool deleted = false;
};

// Writes a DOS table with the writer of tools/dos.
inline void WriteTable(const std::filesystem::path& path,
                       const std::vector<tools::DosField>& fields,
                       const std::vector<TestRow>& rows) {
  tools::DosTableWriter writer(path, fields);
  for (const TestRow& row : rows) writer.Add(row.values, row.deleted);
  writer.Finish();
}

// Overwrites bytes of a file in place.
inline void PatchFile(const std::filesystem::path& path, std::uint64_t offset,
                      const std::string& bytes) {
  std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot patch " + path.string());
}

// Cuts a file to `size` bytes.
inline void CutFile(const std::filesystem::path& path, std::uint64_t size) {
  std::filesystem::resize_file(path, size);
}

}  // namespace konwerter::source::testing
