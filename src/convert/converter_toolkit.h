#pragma once

// What every record converter works with. A converter reads like its algorithm: open its
// sources (SourceTable::Open, which alone writes the conversion status when a file is
// missing), create its target tables afresh from the catalogue (CreateTargetTable), walk
// each source with ForEachRecord (progress included), append one target record per accepted
// source record, number a register's records (RegisterNumbering, which writes its sequence
// row), report each table for the summary (ReportTable), and close.
//
// A converter may touch: its own sources and targets, the shared identifier-translation
// tables (context.tables()), the run's converter state that outlives one converter
// (context.records, the session's structures), sequence rows, progress and the summary.
// It never writes the conversion status itself, never shows a message box, and never
// reads another converter's sources.

#include "convert/dictionary_links.h"
#include "convert/document_tail.h"
#include "convert/loan_movements.h"
#include "convert/register_numbering.h"
#include "convert/source_table.h"
#include "convert/target_tables.h"
#include "convert/values.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "run/value_rules.h"
#include "target/table_catalogue.h"
