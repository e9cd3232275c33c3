#pragma once

#include "run/result.h"
#include "source/source_edition.h"

namespace konwerter::run {

struct RunContext;

// Empties the shared identifier-translation tables at the start of a run, sizing each from
// the record count of its DOS dictionary, and tells the edition of the DOS data: the later
// edition keeps the features dictionary cechy.dbf in the works folder. The features table
// is optional; the others are required in turn, and the first that cannot be read fails.
// A cechy.dbf that is there but cannot be read fails too: it decides the edition.
Result<source::SourceEdition> SizeSharedTables(RunContext& context);

}  // namespace konwerter::run
