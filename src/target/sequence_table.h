#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "target/engine/engine.h"
#include "target/engine/table.h"
#include "target/table_builder.h"

namespace konwerter::target {

// A row of the identifier sequence table: the next value to assign in a sequence.
struct SequenceRow {
  std::string name;
  std::int64_t next_value = 1;
};

// The identifier sequence table BAZA\ADMIN\Dostep.dbf: one row per numbered table, written
// by the converter that numbered it. It is built afresh for every run and kept open until
// the run ends.
class SequenceTable {
 public:
  static constexpr std::string_view kSchema = "NextVal;N;11|TableName;c;15";
  static constexpr std::string_view kIndexes = "UPP_TBNAME;UPPER(TABLENAME);exp";

  // Creates the folder BAZA\ADMIN under the output folder and builds the table there.
  SequenceTable(engine::Engine& engine, std::string_view output_folder);

  void WriteRow(std::string_view name, std::int64_t next_value);
  // Ends the table with its index (see engine::Table::Finish).
  void Finish();

  // The rows written in this run, in order.
  const std::vector<SequenceRow>& rows() const { return rows_; }
  const engine::Table& table() const { return *table_; }
  // What the builder found building the table.
  const BuilderResult& built() const { return built_; }

 private:
  std::unique_ptr<engine::Table> table_;
  BuilderResult built_;
  std::vector<SequenceRow> rows_;
};

// The folder of the sequence table under an output folder.
std::string AdminFolder(std::string_view output_folder);

// True when the output folder already holds converted data: its sequence table has a row
// whose next value is above 1. Every error on the way (most often: no such table) counts
// as no data.
bool OutputHasData(engine::Engine& engine, std::string_view output_folder);

}  // namespace konwerter::target
