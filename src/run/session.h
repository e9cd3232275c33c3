#pragma once

#include <string>
#include <vector>

#include "renumber/renumbering_table.h"
#include "run/shared_tables.h"
#include "target/engine/engine.h"

namespace konwerter::run {

// What lives for the program's life, across runs: the database session, the shared
// identifier-translation tables (a later run re-sizes only those its sizing reaches), the
// commune renumbering table and the site settings list. Owned by the front end.
struct Session {
  engine::Engine engine;
  SharedTables tables;
  renumber::RenumberingTable renumbering;
  std::vector<std::string> site_settings;
};

}  // namespace konwerter::run
