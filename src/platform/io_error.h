#pragma once

#include <stdexcept>
#include <string>

namespace konwerter::platform {

// An input/output fault that no status code of a reader covers: a read or seek that fails
// while a file is open, a write that cannot be completed, a failing close. The driver turns
// it into a Polish message for the operator; it never ends the program.
// Like every exception of the program, its text is UTF-8 (the host's encoding); the
// front ends and the driver convert it where the system's cp1250 text is needed.
class IoError : public std::runtime_error {
 public:
  // `what` is the operation in Polish, `path` the file concerned.
  IoError(const std::string& what, const std::string& path)
      : std::runtime_error(what + ": " + path), path_(path) {}

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace konwerter::platform
