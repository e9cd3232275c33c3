#pragma once

#include <string>

#include "target/verification/finding.h"

namespace konwerter::verification {

// The Polish texts of the findings, all in this one place (the system's text, cp1250).

// What a kind of finding means, as the heading of its group.
std::string KindTitle(FindingKind kind);

// One finding as a line under its heading (which names the kind and the file): the record,
// the field, tag or sequence, the value found and what belongs there.
std::string DescribeFinding(const Finding& finding);

}  // namespace konwerter::verification
