#pragma once

#include <vector>

#include "target/engine/table.h"
#include "target/schema_string.h"

namespace konwerter::target {

// True when every schema item names a field of the list (ignoring case) and no character
// or numeric field an item names is narrower than the item asks. Types are not compared;
// extra fields and wider fields are fine.
bool SchemaMatches(const std::vector<engine::FieldDescriptor>& fields,
                   const std::vector<SchemaItem>& schema);

// Widens or adds the fields the schema asks for when the table lacks them, keeping every
// record. A closed table is checked through a temporary exclusive table object; an open
// one is checked in place and stays open. The .dbf is copied beside itself without the
// last letter of its name (Osoby.dbf -> Osoby.db) while the engine rewrites it; the copy
// is removed afterwards and stays when the rewrite fails.
// Returns true when an open table was restructured.
bool RestructureIfNeeded(engine::Table& table, const std::vector<SchemaItem>& schema);

}  // namespace konwerter::target
