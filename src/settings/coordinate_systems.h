#pragma once

#include "run/result.h"

namespace konwerter::run {
struct RunContext;
}

namespace konwerter::settings {

// Writes BAZA\UKLADY\<name>.def for every coordinate system the works folder marks with a
// memory file <name>.mem (names of one character, and "65"): the scale and size of the
// primary sections, their division into sheets (from the DOS description in the templates
// folder) and the lower-left corners of the primary sections (from lok_p<name>.dbf). "65"
// has a built-in description. A system whose description cannot be completed is reported
// to the operator and left out; the others are still written.
run::Status ConvertCoordinateSystems(run::RunContext& context);

}  // namespace konwerter::settings
