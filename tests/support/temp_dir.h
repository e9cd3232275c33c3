#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace konwerter::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes away.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  // The folder as a program path (cp1250 text) with a trailing backslash.
  std::string folder() const;
  // A program path of a file or folder inside, e.g. Join("GOSOBY\\osoby.dbf").
  std::string Join(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for tests.
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace konwerter::testing
