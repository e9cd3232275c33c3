#include "platform/source_lock.h"

#include "platform/dos_path.h"

namespace konwerter::platform {

SourceLock::Outcome SourceLock::Take(std::string_view users_dbf_path,
                                     std::optional<SourceLock>& lock) {
  lock.reset();
  bool held_elsewhere = false;
  auto file = File::OpenExclusive(HostPath(users_dbf_path), held_elsewhere);
  if (!file) {
    if (held_elsewhere) return Outcome::kInUse;
    const bool readable =
        File::OpenExisting(HostPath(users_dbf_path), File::Access::kRead).has_value();
    return readable ? Outcome::kReadOnly : Outcome::kMissing;
  }
  lock.emplace(SourceLock(std::move(*file)));
  return Outcome::kTaken;
}

bool SourceLock::CanOpenShared(std::string_view path) {
  if (File::OpenExisting(HostPath(path), File::Access::kRead)) return true;
  // A file another program holds with no sharing at all (Windows) cannot be opened shared
  // either, yet it is there and in use.
  bool held_elsewhere = false;
  File::OpenExclusive(HostPath(path), held_elsewhere);
  return held_elsewhere;
}

}  // namespace konwerter::platform
