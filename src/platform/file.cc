// The POSIX side of File; file_win32.cc is the Windows side.
#ifndef _WIN32

#include "platform/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/io_error.h"

namespace konwerter::platform {

namespace {

std::string Name(const std::filesystem::path& path) {
  return path.string();
}

}  // namespace

File::File(int descriptor, std::filesystem::path path)
    : descriptor_(descriptor), path_(std::move(path)) {}

std::optional<File> File::OpenExisting(const std::filesystem::path& path, Access access) {
  // Opened without blocking, so that a FIFO or a device standing where a file is expected
  // cannot hold the run up; only regular files are kept.
  const int flags = (access == Access::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK;
  const int descriptor = ::open(path.c_str(), flags);
  if (descriptor < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(descriptor);
    return std::nullopt;
  }
  return File(descriptor, path);
}

std::optional<File> File::OpenExclusive(const std::filesystem::path& path, bool& held_elsewhere) {
  held_elsewhere = false;
  auto file = OpenExisting(path, Access::kReadWrite);
  if (!file) return std::nullopt;
  // Programs on this system lock with either call (file servers and DOS emulators take
  // record locks): the run holds both, and a holder of either keeps the run out.
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  held_elsewhere = ::flock(file->descriptor_, LOCK_EX | LOCK_NB) != 0 ||
                   ::fcntl(file->descriptor_, F_SETLK, &whole) != 0;
  if (held_elsewhere) return std::nullopt;
  return file;
}

File File::Create(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (descriptor < 0) throw IoError(IoFault::kCreateFile, Name(path));
  return File(descriptor, path);
}

File::File(File&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    descriptor_ = std::exchange(other.descriptor_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  Close();
}

std::size_t File::Read(std::span<std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::read(descriptor_, bytes.data() + done, bytes.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw IoError(IoFault::kRead, Name(path_));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

std::size_t File::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got = ::pread(descriptor_, bytes.data() + done, bytes.size() - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw IoError(IoFault::kRead, Name(path_));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

bool File::Seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
  return ::lseek(descriptor_, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

void File::Write(std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) throw IoError(IoFault::kWrite, Name(path_));
    done += static_cast<std::size_t>(put);
  }
}

void File::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::pwrite(descriptor_, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) throw IoError(IoFault::kWrite, Name(path_));
    done += static_cast<std::size_t>(put);
  }
}

std::uint64_t File::Size() const {
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) throw IoError(IoFault::kRead, Name(path_));
  return static_cast<std::uint64_t>(status.st_size);
}

std::int64_t File::ModificationStamp() const {
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) throw IoError(IoFault::kRead, Name(path_));
  return static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
}

bool File::Close() {
  if (descriptor_ < 0) return true;
  const int result = ::close(std::exchange(descriptor_, -1));
  return result == 0;
}

}  // namespace konwerter::platform

#endif  // _WIN32
