#pragma once

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/operator_messages.h"
#include "run/conversion_status.h"
#include "run/converter_records.h"
#include "run/progress.h"
#include "run/record_ledger.h"
#include "run/run_options.h"
#include "run/run_report.h"
#include "run/session.h"
#include "run/source_directories.h"
#include "source/source_edition.h"
#include "source/source_tables.h"
#include "source/transliteration.h"
#include "target/sequence_table.h"

namespace konwerter::run {

// Everything one conversion run shares, passed explicitly to every step and converter.
struct RunContext {
  RunContext(Session& session_, RunOptions options_, Progress& progress_,
             platform::OperatorMessages& messages_, const platform::Clock& clock_)
      : session(session_),
        options(options_),
        progress(progress_),
        messages(messages_),
        clock(clock_),
        source_tables(code_pages) {}

  Session& session;
  const RunOptions options;
  Progress& progress;
  platform::OperatorMessages& messages;
  const platform::Clock& clock;

  std::string input_path;   // the DOS SYSTEM folder, ending in a backslash
  std::string output_path;  // ending in a backslash
  ConversionStatus status;
  source::CodePages code_pages;
  source::SourceTables source_tables;
  SourceDirectories directories;
  std::unique_ptr<target::SequenceTable> sequence;
  std::string creator_identifier;
  source::SourceEdition edition = source::SourceEdition::kEarlier;  // decided once, by the sizing
  RunReport report;
  RecordLedger ledger;       // every record's fate and every altered value
  ConverterRecords records;  // what one converter leaves for a later one of this run

  SharedTables& tables() { return session.tables; }
  engine::Engine& engine() { return session.engine; }
};

}  // namespace konwerter::run
