#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "run/run_context.h"
#include "target/engine/table.h"
#include "target/table_catalogue.h"

namespace konwerter::convert {

// The folder BAZA\<group> under the run's output folder, created with its parents.
std::string MakeTargetFolder(run::RunContext& context, std::string_view group);

// A target table built afresh in the folder: every run deletes and creates it anew.
std::unique_ptr<engine::Table> CreateTargetTable(run::RunContext& context, std::string_view folder,
                                                 std::string_view table_name,
                                                 std::string_view schema,
                                                 std::string_view index_definitions = {});

// A catalogue table built afresh in the folder (the register kinds pass their own folder).
std::unique_ptr<engine::Table> CreateTargetTable(run::RunContext& context, std::string_view folder,
                                                 const target::tables::TableStrings& strings);

// Closes every source table of the run when it goes out of scope, so a converter leaves no
// table bound to its variables, whichever way it ends.
class SourceTablesScope {
 public:
  explicit SourceTablesScope(run::RunContext& context) : context_(context) {}
  ~SourceTablesScope() { context_.source_tables.ReleaseAll(); }
  SourceTablesScope(const SourceTablesScope&) = delete;
  SourceTablesScope& operator=(const SourceTablesScope&) = delete;

 private:
  run::RunContext& context_;
};

// Adds a target table to the run's summary with the records it holds now. A table that no
// walk filled (a list of names collected on the way) gets an account of its own.
void ReportTable(run::RunContext& context, const engine::Table& table);

}  // namespace konwerter::convert
