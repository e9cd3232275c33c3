#include "platform/source_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "platform/dos_path.h"

namespace konwerter::platform {

SourceLock::Outcome SourceLock::Take(std::string_view users_dbf_path,
                                     std::optional<SourceLock>& lock) {
  lock.reset();
  auto file = File::OpenExisting(HostPath(users_dbf_path), File::Access::kReadWrite);
  if (!file) {
    const bool readable =
        File::OpenExisting(HostPath(users_dbf_path), File::Access::kRead).has_value();
    return readable ? Outcome::kReadOnly : Outcome::kMissing;
  }
  // Programs on this system lock with either call (file servers and DOS emulators take
  // record locks): the run holds both, and a holder of either keeps the run out.
  if (::flock(file->descriptor(), LOCK_EX | LOCK_NB) != 0) return Outcome::kInUse;
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  if (::fcntl(file->descriptor(), F_SETLK, &whole) != 0) return Outcome::kInUse;
  lock.emplace(SourceLock(std::move(*file)));
  return Outcome::kTaken;
}

bool SourceLock::CanOpenShared(std::string_view path) {
  return File::OpenExisting(HostPath(path), File::Access::kRead).has_value();
}

}  // namespace konwerter::platform
