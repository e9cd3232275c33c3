// The Windows side of File: handles of the Windows API; file.cc is the POSIX side.
#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/file.h"
#include "platform/io_error.h"

namespace konwerter::platform {

namespace {

constexpr DWORD kLargestTransfer = 1u << 30;

std::string Name(const std::filesystem::path& path) {
  return path.string();  // UTF-8
}

HANDLE Handle(File::Descriptor descriptor) {
  return static_cast<HANDLE>(descriptor);
}

// Opens an existing file; `share` is the Windows sharing mode (0: nobody else may open it).
HANDLE OpenHandle(const std::filesystem::path& path, DWORD access, DWORD share) {
  const HANDLE handle = ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::uint64_t CurrentPosition(HANDLE handle) {
  LARGE_INTEGER position{};
  ::SetFilePointerEx(handle, LARGE_INTEGER{}, &position, FILE_CURRENT);
  return static_cast<std::uint64_t>(position.QuadPart);
}

bool MoveTo(HANDLE handle, std::uint64_t offset) {
  LARGE_INTEGER distance{};
  distance.QuadPart = static_cast<LONGLONG>(offset);
  return ::SetFilePointerEx(handle, distance, nullptr, FILE_BEGIN) != 0;
}

// Transfers at the current position: every byte, or fewer at the end of the file.
std::size_t ReadHere(HANDLE handle, std::span<std::uint8_t> bytes,
                     const std::filesystem::path& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kLargestTransfer));
    DWORD got = 0;
    if (!::ReadFile(handle, bytes.data() + done, want, &got, nullptr)) {
      throw IoError(IoFault::kRead, Name(path));
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

void WriteHere(HANDLE handle, std::span<const std::uint8_t> bytes,
               const std::filesystem::path& path) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kLargestTransfer));
    DWORD put = 0;
    if (!::WriteFile(handle, bytes.data() + done, want, &put, nullptr) || put == 0) {
      throw IoError(IoFault::kWrite, Name(path));
    }
    done += put;
  }
}

}  // namespace

File::File(Descriptor descriptor, std::filesystem::path path)
    : descriptor_(descriptor), path_(std::move(path)) {}

std::optional<File> File::OpenExisting(const std::filesystem::path& path, Access access) {
  const DWORD rights = access == Access::kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
  const HANDLE handle = OpenHandle(path, rights, kShareAll);
  if (handle == nullptr) return std::nullopt;
  File file(handle, path);
  // Only files on a disk: a device name (CON, NUL, a pipe) is no table.
  if (::GetFileType(handle) != FILE_TYPE_DISK) return std::nullopt;
  return file;
}

std::optional<File> File::OpenExclusive(const std::filesystem::path& path, bool& held_elsewhere) {
  const HANDLE handle = OpenHandle(path, GENERIC_READ | GENERIC_WRITE, 0);
  held_elsewhere = handle == nullptr && (::GetLastError() == ERROR_SHARING_VIOLATION ||
                                         ::GetLastError() == ERROR_LOCK_VIOLATION);
  if (handle == nullptr) return std::nullopt;
  return File(handle, path);
}

File File::Create(const std::filesystem::path& path) {
  const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw IoError(IoFault::kCreateFile, Name(path));
  return File(handle, path);
}

File::File(File&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, kClosed)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = std::exchange(other.descriptor_, kClosed);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  Close();
}

std::size_t File::Read(std::span<std::uint8_t> bytes) {
  return ReadHere(Handle(descriptor_), bytes, path_);
}

std::size_t File::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
  const HANDLE handle = Handle(descriptor_);
  const std::uint64_t position = CurrentPosition(handle);
  if (!MoveTo(handle, offset)) throw IoError(IoFault::kRead, Name(path_));
  const std::size_t done = ReadHere(handle, bytes, path_);
  MoveTo(handle, position);
  return done;
}

bool File::Seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return MoveTo(Handle(descriptor_), offset);
}

void File::Write(std::span<const std::uint8_t> bytes) {
  WriteHere(Handle(descriptor_), bytes, path_);
}

void File::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  const HANDLE handle = Handle(descriptor_);
  const std::uint64_t position = CurrentPosition(handle);
  if (!MoveTo(handle, offset)) throw IoError(IoFault::kWrite, Name(path_));
  WriteHere(handle, bytes, path_);
  MoveTo(handle, position);
}

std::uint64_t File::Size() const {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(Handle(descriptor_), &size)) throw IoError(IoFault::kRead, Name(path_));
  return static_cast<std::uint64_t>(size.QuadPart);
}

std::int64_t File::ModificationStamp() const {
  FILETIME written{};
  if (!::GetFileTime(Handle(descriptor_), nullptr, nullptr, &written)) {
    throw IoError(IoFault::kRead, Name(path_));
  }
  const std::int64_t ticks =  // 100-nanosecond units
      static_cast<std::int64_t>((static_cast<std::uint64_t>(written.dwHighDateTime) << 32) |
                                written.dwLowDateTime);
  return ticks * 100;
}

bool File::Close() {
  if (descriptor_ == kClosed) return true;
  return ::CloseHandle(Handle(std::exchange(descriptor_, kClosed))) != 0;
}

}  // namespace konwerter::platform

#endif  // _WIN32
