#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/source_table.h"
#include "run/result.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// The loan movements of a register (ruch_m.dbf, ruch_e.dbf, ruch_z.dbf and the operats'
// movement tables): who borrowed which document, when, and when it came back. A movement
// names its document by the document's 1-based record number in the register's DOS table.
class LoanMovements {
 public:
  explicit LoanMovements(run::RunContext& context) : context_(context) {}
  LoanMovements(const LoanMovements&) = delete;
  LoanMovements& operator=(const LoanMovements&) = delete;

  // Opens the movement table and binds its fields; the failure naming it when it cannot be
  // read.
  run::Status Open(const source::tables::TableLayout& layout);

  // Writes one target record per movement with its document key set: `document_field` gets
  // the document's new identifier from `documents` (empty for a document not converted),
  // then the person (given a new key when first seen), the date lent and the date returned.
  // REQUIRES: Open() succeeded.
  void Convert(engine::Table& target, std::string_view document_field,
               const run::TranslationTable& documents);

 private:
  struct Movement {
    std::uint32_t id_dok = 0, id_osoby = 0;
    std::string d_wyp, d_zwrotu;
  };

  run::RunContext& context_;
  Movement movement_;
  std::optional<SourceTable> source_;
};

}  // namespace konwerter::convert
