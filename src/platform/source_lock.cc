#include "platform/source_lock.h"

#include "platform/dos_path.h"

namespace konwerter::platform {

SourceLock::Outcome SourceLock::Take(std::string_view users_dbf_path,
                                     std::optional<SourceLock>& lock) {
  lock.reset();
  bool held_elsewhere = false;
  auto file = File::OpenExclusive(HostPath(users_dbf_path), held_elsewhere);
  if (!file) {
    // A file another program holds with no sharing at all cannot be opened shared either,
    // yet it is there and in use: only a file that cannot be opened for itself is missing.
    const bool in_use = held_elsewhere || CanOpenShared(users_dbf_path);
    return in_use ? Outcome::kInUse : Outcome::kMissing;
  }
  lock.emplace(SourceLock(std::move(*file)));
  return Outcome::kTaken;
}

bool SourceLock::CanOpenShared(std::string_view path) {
  if (File::OpenExisting(HostPath(path), File::Access::kReadWrite)) return true;
  bool held_elsewhere = false;
  File::OpenExclusive(HostPath(path), held_elsewhere);
  return held_elsewhere;
}

}  // namespace konwerter::platform
