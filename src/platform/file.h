#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace konwerter::platform {

// An open file, closed when the object goes away. Reads and writes work on raw bytes.
// Faults that the caller cannot foresee (a failing read of an open file, a short write)
// raise IoError; conditions the readers report as status codes (cannot open, short read)
// are results.
class File {
 public:
  enum class Access { kRead, kReadWrite };
#ifdef _WIN32
  using Descriptor = void*;  // a Windows file handle
  static constexpr Descriptor kClosed = nullptr;
#else
  using Descriptor = int;
  static constexpr Descriptor kClosed = -1;
#endif

  // Opens an existing regular file; nullopt when it cannot be opened or is no regular file
  // (a folder, a FIFO, a device). Other programs may open the file at the same time. Never
  // waits for another program.
  static std::optional<File> OpenExisting(const std::filesystem::path& path, Access access);
  // Opens an existing file for reading and writing so that no other program can open or
  // lock it while it stays open (locks that do not wait); nullopt when it cannot be opened
  // so, with `held_elsewhere` telling whether another program holding it was the reason.
  static std::optional<File> OpenExclusive(const std::filesystem::path& path, bool& held_elsewhere);
  // The bytes of a regular file; nullopt when it cannot be opened. Throws IoError on a read
  // fault.
  static std::optional<std::string> ReadWhole(const std::filesystem::path& path);
  // Creates the file, or empties it when it exists, for reading and writing.
  // Throws IoError when it cannot.
  static File Create(const std::filesystem::path& path);

  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // Reads up to bytes.size() bytes from the current position; fewer at the end of the file.
  std::size_t Read(std::span<std::uint8_t> bytes);
  // Reads up to bytes.size() bytes from `offset`, leaving the current position alone.
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes);
  // Sets the current position; false when the system refuses it.
  bool Seek(std::uint64_t offset);
  // Writes every byte at the current position.
  void Write(std::span<const std::uint8_t> bytes);
  // Writes every byte at `offset`, leaving the current position alone.
  void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);

  std::uint64_t Size() const;
  // The last-modification time as the system reports it for the open file (nanoseconds).
  std::int64_t ModificationStamp() const;
  // Closes the file now; false when the system reports a failure. Later calls do nothing.
  bool Close();

  bool is_open() const {
    return descriptor_ != kClosed;
  }
  Descriptor descriptor() const {
    return descriptor_;
  }
  const std::filesystem::path& path() const {
    return path_;
  }

 private:
  File(Descriptor descriptor, std::filesystem::path path);

  Descriptor descriptor_ = kClosed;
  std::filesystem::path path_;
};

}  // namespace konwerter::platform
