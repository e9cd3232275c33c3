#pragma once

#include <string>

#include "target/verification/finding.h"

namespace konwerter::run {

// The Polish texts of the findings of the check of a converted database (the system's text,
// cp1250), beside the run's other texts.

// What a kind of finding means, as the heading of its group.
std::string KindTitle(verification::FindingKind kind);

// One finding as a line under its heading (which names the kind and the file): the record,
// the field, tag or sequence, the value found and what belongs there.
std::string DescribeFinding(const verification::Finding& finding);

}  // namespace konwerter::run
