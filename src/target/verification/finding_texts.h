#pragma once

#include <string>

#include "target/engine/engine_error.h"
#include "target/verification/finding.h"

namespace konwerter::verification {

// The Polish texts of the findings, all in this one place (the system's text, cp1250).

// What a kind of finding means, as the heading of its group.
std::string KindTitle(FindingKind kind);

// One finding as a line under its heading (which names the kind and the file): the record,
// the field, tag or sequence, the value found and what belongs there.
std::string DescribeFinding(const Finding& finding);

// What the engine's reader found wrong with an index file it could not walk, naming the file
// (cp1250), in the words the engine's errors have always had.
std::string IndexDamageText(const engine::EngineError& error);

}  // namespace konwerter::verification
