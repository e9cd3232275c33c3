#pragma once

#include <string_view>

#include "target/engine/engine.h"
#include "target/engine/table.h"

namespace konwerter::target {

struct BuilderOptions {
  bool remove_data_files = false;  // delete the .dbf, .dbt and .mdx first
  bool remove_index_file = false;  // delete the .mdx first (without remove_data_files)
  bool exclusive_open = false;
};

struct BuilderResult {
  bool created = false;        // the table file was created in this call
  bool indexes_built = false;  // indexes were added in this call
  bool restructured = false;   // fields were widened or added while the table was open
  // A unique tag of the table holds a key twice: the table is open and used as it stands,
  // and the caller must tell the operator (the builder shows nothing itself).
  bool keys_repeat = false;
};

// Sets the dBase driver of the session to the Polish language driver and table level 5.
// `save` would keep the setting in the engine's configuration; ours holds it in the session.
void ConfigureEngine(engine::Engine& engine, bool save);

// Opens a target table, creating it (and its folder) when missing, building its production
// index from the index definition string, and widening or adding fields so that it holds
// at least what the table schema string asks for. Fields are never removed, narrowed or
// retyped. On return the table is open and its first index, if any, is current.
// REQUIRES: the table object is closed and has its folder and name set.
// Engine errors the builder cannot mend reach the caller as EngineError.
BuilderResult OpenTargetTable(engine::Table& table, std::string_view schema,
                              std::string_view index_definitions, BuilderOptions options);

}  // namespace konwerter::target
