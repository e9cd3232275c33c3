#include "platform/source_lock.h"

#include <sys/file.h>

#include <cerrno>

#include "platform/dos_path.h"

namespace konwerter::platform {

SourceLock::Outcome SourceLock::Take(std::string_view users_dbf_path,
                                     std::optional<SourceLock>& lock) {
  lock.reset();
  auto file = File::OpenExisting(HostPath(users_dbf_path), File::Access::kReadWrite);
  if (!file) return Outcome::kMissing;
  if (::flock(file->descriptor(), LOCK_EX | LOCK_NB) != 0) return Outcome::kInUse;
  lock.emplace(SourceLock(std::move(*file)));
  return Outcome::kTaken;
}

bool SourceLock::CanOpenShared(std::string_view path) {
  return File::OpenExisting(HostPath(path), File::Access::kReadWrite).has_value();
}

}  // namespace konwerter::platform
