#pragma once

#include <optional>
#include <string_view>

#include "platform/file.h"

namespace konwerter::platform {

// The guard that keeps the DOS edition's users out of the source data for a whole run:
// `users.dbf` held open with exclusive, non-blocking locks (flock and a record lock over the
// whole file; on Windows: opened with no sharing, so no other program can open it).
// Released when destroyed.
class SourceLock {
 public:
  enum class Outcome {
    kTaken,     // the lock is held
    kInUse,     // the file exists but another program holds it
    kReadOnly,  // the file can be read but not written (a CD, a read-only snapshot)
    kMissing,   // the file cannot be opened at all
  };

  // Tries to take the lock on the file; the lock is present only with kTaken.
  static Outcome Take(std::string_view users_dbf_path, std::optional<SourceLock>& lock);

  // True when the file can be opened (shared), as a probe; a read-only copy counts, so that
  // the lock can then say what is wrong with it; so does a file another program holds with
  // no sharing (Windows), for the file is there.
  static bool CanOpenShared(std::string_view path);

 private:
  explicit SourceLock(File file) : file_(std::move(file)) {}

  File file_;
};

}  // namespace konwerter::platform
