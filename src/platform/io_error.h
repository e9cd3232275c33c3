#pragma once

#include <stdexcept>
#include <string>

namespace konwerter::platform {

// What an input/output operation could not do.
enum class IoFault {
  kCreateFile,     // a file could not be created
  kCreateFolder,   // a folder could not be created
  kRead,           // a read or seek failed while the file was open
  kWrite,          // a write could not be completed
  kClose,          // the system reported a failing close
  kReplace,        // a file could not take another's place
  kOutsideOutput,  // a target folder leads out of the output folder (a link)
  kIndexDamaged,   // an index page is damaged (source::IndexDamaged says how)
  kIndexNotOpen,   // an index was used that is not open
};

// An input/output fault that no status code of a reader covers: a read or seek that fails
// while a file is open, a write that cannot be completed, a failing close. The driver turns
// it into a Polish message for the operator through the run's catalogue; it never ends the
// program. The path is UTF-8, as the host names the file; what() is a short technical text.
class IoError : public std::runtime_error {
 public:
  IoError(IoFault fault, const std::string& path)
      : std::runtime_error("I/O fault " + std::to_string(static_cast<int>(fault)) + ": " + path),
        fault_(fault),
        path_(path) {}

  IoFault fault() const { return fault_; }
  const std::string& path() const { return path_; }

 private:
  IoFault fault_;
  std::string path_;
};

}  // namespace konwerter::platform
