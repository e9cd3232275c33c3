#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace konwerter::fuzz {

// The fuzzer's input as a file named `name` in a folder of this process, so that the readers
// meet it the way they meet DOS files: by a program path with backslashes. The folder is
// made once and reused; the file is rewritten for every input.
class FuzzFile {
 public:
  FuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size)
      : folder_(Folder()), path_(folder_ / name) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  ~FuzzFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  FuzzFile(const FuzzFile&) = delete;
  FuzzFile& operator=(const FuzzFile&) = delete;

  // The folder as the DOS edition writes paths: backslashes, a trailing one.
  std::string program_folder() const { return Backslashed(folder_.string()) + "\\"; }
  // The file in lower case, as the programs name it; found whatever the case on disk.
  std::string program_path() const {
    std::string name = path_.filename().string();
    for (char& c : name) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return program_folder() + name;
  }

 private:
  static std::filesystem::path Folder() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("konwerter-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
  }

  static std::string Backslashed(std::string path) {
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    return path;
  }

  std::filesystem::path folder_;
  std::filesystem::path path_;
};

}  // namespace konwerter::fuzz
