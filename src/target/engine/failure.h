#pragma once

#include <string_view>

#include "target/engine/engine_error.h"

namespace konwerter::engine {

// Throws EngineError with `fault` about `table` (its path or name as UTF-8, so that every
// error says which table it concerns) and, where the fault has them, a field or tag name
// and a second name or value.
[[noreturn]] void Fail(EngineFault fault, std::string_view table, std::string_view name = {},
                       std::string_view detail = {});

}  // namespace konwerter::engine
