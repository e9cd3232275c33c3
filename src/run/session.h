#pragma once

#include <string>
#include <vector>

#include "renumber/renumbering_table.h"
#include "run/price_lists.h"
#include "run/shared_tables.h"
#include "target/engine/engine.h"

namespace konwerter::run {

// What lives for the program's life, across runs: the database session, the shared
// identifier-translation tables (a later run re-sizes only those its sizing reaches), the
// commune renumbering table, the site settings list and the price lists the orders domain
// derives VAT codes from. Owned by the front end.
struct Session {
  engine::Engine engine;
  SharedTables tables;
  renumber::RenumberingTable renumbering;
  std::vector<std::string> site_settings;
  PriceLists price_lists;  // filled by the price-list converter, read by orders and templates
};

}  // namespace konwerter::run
