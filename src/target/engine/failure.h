#pragma once

#include <string_view>

#include "target/engine/engine_error.h"

namespace konwerter::engine {

// Throws EngineError with `code` and the text "<what>: <table>". `table` is the table's
// path or name as UTF-8, so every message says which table it concerns.
[[noreturn]] void Fail(EngineErrorCode code, std::string_view what, std::string_view table);

// Fail with kOther, the engine's code for damaged files and unsupported requests.
[[noreturn]] inline void FailOther(std::string_view what, std::string_view table) {
  Fail(EngineErrorCode::kOther, what, table);
}

}  // namespace konwerter::engine
