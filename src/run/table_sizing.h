#pragma once

#include "run/result.h"
#include "source/source_edition.h"

namespace konwerter::run {

struct RunContext;
class SourceDirectories;

// The edition of the DOS data: the later edition keeps the features dictionary cechy.dbf in
// the works folder, whatever the file holds.
source::SourceEdition SourceEditionOf(const SourceDirectories& directories);

// Sizes the run's shared identifier-translation tables from the record counts of their DOS
// dictionaries. The features dictionary is read for the later edition only; every other
// dictionary is required; the first that cannot be read fails.
Status SizeSharedTables(RunContext& context);

}  // namespace konwerter::run
