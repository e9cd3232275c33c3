#pragma once

// What every record converter works with. A converter reads like its algorithm: open its
// sources (SourceTable::Open, whose failure the converter returns: the driver alone turns it
// into the conversion status), create its target tables afresh from the catalogue
// (CreateTargetTable), walk each source with ForEachRecord (progress included) returning
// every record's fate at the rule that decides it (run::kWritten or run::Skipped(reason)),
// append one target record per accepted source record, number a register's records
// (RegisterNumbering, which writes its sequence row), report each table for the summary
// (ReportTable), and close.
//
// A converter may touch: its own sources and targets, the shared identifier-translation
// tables (context.tables()), the run's converter state that outlives one converter
// (context.records, context.price_lists), sequence rows, progress, the record ledger
// (context.ledger: values it writes otherwise than the source held them) and the run's
// warnings. It reads the run's inputs (options, folders, site settings, edition, creator
// identifier), which no step can change. It never writes the conversion status, never shows
// a message box (it may leave the driver a request: context.operator_requests), never
// composes an operator's text (the run's catalogue does), and never reads another
// converter's sources.

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
