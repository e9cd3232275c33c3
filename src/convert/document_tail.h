#pragma once

#include <cstdint>
#include <string>

#include "convert/source_table.h"
#include "run/run_context.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// The fields every document of the map registers (metryka, KME, outlines) and the operats
// ends with: who borrowed it, the date lent and the date planned back, the work of its
// order, and the remarks.
struct DocumentTail {
  std::uint32_t id_osoby = 0;
  std::string d_wyp, d_plan;
  std::uint32_t id_zam = 0;
  std::string uwagi;

  // Binds the tail's fields of a register source.
  void Bind(SourceTable& table);
  // Writes the tail into the document's target record: the borrower (persons, given an
  // identifier when first seen), the two dates by the text-to-date rule, the order's work
  // (works, likewise), the remarks and the run's creator.
  void Write(run::RunContext& context, engine::Table& target) const;
};

}  // namespace konwerter::convert
