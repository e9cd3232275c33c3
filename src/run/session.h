#pragma once

#include "renumber/renumbering_table.h"
#include "target/engine/engine.h"

namespace konwerter::run {

// What lives for the program's life, across runs: the database session and the commune
// renumbering table (read again from its file at the start of every run). Owned by the
// front end. Everything a run fills lives in the run (RunContext).
struct Session {
  engine::Engine engine;
  renumber::RenumberingTable renumbering;
};

}  // namespace konwerter::run
