#include "target/engine/failure.h"

#include <string>

namespace konwerter::engine {

void Fail(EngineErrorCode code, std::string_view what, std::string_view table) {
  std::string message(what);
  message += ": ";
  message += table;
  throw EngineError(code, message);
}

}  // namespace konwerter::engine
