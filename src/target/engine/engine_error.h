#pragma once

#include <stdexcept>
#include <string>

namespace konwerter::engine {

// What went wrong in the engine, as far as the table builder needs to tell.
enum class EngineErrorCode {
  kInvalidDirectory,  // the table's folder does not exist
  kNoSuchTable,       // the table's .dbf does not exist
  kNoSuchIndex,       // the table declares a production index that is missing or unreadable
  kKeyViolation,      // a unique index holds a key twice
  kOther,             // everything else: a damaged file, an unknown field or tag, ...
};

// An error of the dBase engine. Its text is UTF-8 and names the table concerned.
class EngineError : public std::runtime_error {
 public:
  EngineError(EngineErrorCode code, const std::string& message)
      : std::runtime_error(message), code_(code) {}

  EngineErrorCode code() const { return code_; }

 private:
  EngineErrorCode code_;
};

}  // namespace konwerter::engine
