#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "convert/source_table.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// The loan movements of a register (ruch_m.dbf, ruch_e.dbf, ruch_z.dbf and the operats'
// movement tables): who borrowed which document, when, and when it came back. A movement
// names its document by the document's 1-based record number in the register's DOS table.
class LoanMovements {
 public:
  // Opens the movement table of the directory variable's folder and binds its fields.
  // Nothing when it cannot be opened; the conversion status then names it.
  static std::optional<LoanMovements> Open(run::RunContext& context, std::string_view variable,
                                           std::string_view file_name);

  // Writes one target record per movement with its document key set: `document_field` gets
  // the document's new identifier from `documents` (empty for a document not converted),
  // then the person (given a new key when first seen), the date lent and the date returned.
  void Convert(engine::Table& target, std::string_view document_field,
               const run::TranslationTable& documents);

 private:
  struct Movement {
    std::uint32_t id_dok = 0, id_osoby = 0;
    std::string d_wyp, d_zwrotu;
  };

  LoanMovements(run::RunContext& context, SourceTable source, std::unique_ptr<Movement> movement)
      : context_(&context), movement_(std::move(movement)), source_(std::move(source)) {}

  run::RunContext* context_;
  std::unique_ptr<Movement> movement_;  // bound by address: stays put when this object moves
  SourceTable source_;
};

}  // namespace konwerter::convert
