#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "renumber/renumbering_table.h"
#include "run/conversion_status.h"
#include "run/converter_records.h"
#include "run/price_lists.h"
#include "run/progress.h"
#include "run/record_ledger.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "run/shared_tables.h"
#include "run/source_directories.h"
#include "source/source_edition.h"
#include "source/source_tables.h"
#include "source/transliteration.h"
#include "target/engine/engine.h"
#include "target/sequence_table.h"

namespace konwerter::run {

// What a run is given and decides before its first converter. PrepareRun makes it once;
// every member is const, so no step of the run can change it.
struct RunInputs {
  const std::string input_path;   // the DOS SYSTEM folder, ending in a backslash
  const std::string output_path;  // ending in a backslash
  const RunOptions options;
  const source::CodePages code_pages;  // the DOS code page found in polskie.lit
  const SourceDirectories directories;
  const std::vector<std::string> site_settings;  // dom.mem's "NAME=value" entries
  const std::string creator_identifier;          // written into every id_tworz
  // The edition of the DOS data: the later one keeps cechy.dbf in the works folder.
  const source::SourceEdition edition;
};

// Everything one conversion run shares, passed explicitly to every step and converter: the
// run's inputs, fixed, and the state its steps change. Made by PrepareRun.
struct RunContext : RunInputs {
  RunContext(RunInputs inputs, engine::Engine& engine,
             const renumber::RenumberingTable& renumbering_, RunReport& report_,
             Progress& progress_, platform::OperatorMessages& messages_,
             const platform::Clock& clock_)
      : RunInputs(std::move(inputs)),
        renumbering(renumbering_),
        progress(progress_),
        messages(messages_),
        clock(clock_),
        source_tables(code_pages),
        report(report_),
        engine_(engine) {
    engine_.set_value_observer(&ledger);
  }
  // The engine reports altered values to the run's ledger while the run lasts.
  ~RunContext() { engine_.set_value_observer(nullptr); }
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;

  // --- What the run is given besides its inputs, and where it reports
  const renumber::RenumberingTable& renumbering;  // the session's, read before the run
  Progress& progress;
  platform::OperatorMessages& messages;
  const platform::Clock& clock;

  // --- The run's state
  ConversionStatus status;  // written by the driver from the steps' results
  source::SourceTables source_tables;
  std::unique_ptr<target::SequenceTable> sequence;
  RunReport& report;         // the caller's: it outlives a run that ends in an exception
  RecordLedger ledger;       // every record's fate and every altered value
  ConverterRecords records;  // what one converter leaves for a later one of this run
  PriceLists price_lists;    // filled by the price-list converter, read by orders and templates
  // Messages the run's preparation and steps ask the driver to show the operator, in order;
  // none of them shows a message itself. The driver shows and clears them after each step.
  std::vector<platform::OperatorMessage> operator_requests;

  // The identifier-translation tables every converter of the run shares.
  SharedTables& tables() { return tables_; }
  const SharedTables& tables() const { return tables_; }
  engine::Engine& engine() { return engine_; }

 private:
  engine::Engine& engine_;
  SharedTables tables_;
};

}  // namespace konwerter::run
