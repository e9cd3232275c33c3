#pragma once

namespace konwerter::run {

struct RunContext;

// Empties the shared identifier-translation tables at the start of a run, sizing each from
// the record count of its DOS dictionary. The features table is optional (its presence is
// remembered for the converters); the others are required in turn, and the first that
// cannot be opened stops the sizing with the conversion status naming it.
// Returns true when every required dictionary was opened.
bool SizeSharedTables(RunContext& context);

}  // namespace konwerter::run
