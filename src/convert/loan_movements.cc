#include "convert/loan_movements.h"

#include "convert/target_tables.h"
#include "convert/values.h"
#include "run/value_rules.h"

namespace konwerter::convert {

run::Status LoanMovements::Open(const source::tables::TableLayout& layout) {
  auto source = SourceTable::Open(context_, layout, [&](SourceTable& table) {
    table.Binary4("id_dok", &movement_.id_dok)
        .Binary4("id_osoby", &movement_.id_osoby)
        .Text("d_wyp", &movement_.d_wyp)
        .Text("d_zwrotu", &movement_.d_zwrotu);
  });
  if (!source) return source.error();
  source_ = std::move(*source);
  return {};
}

void LoanMovements::Convert(engine::Table& target, std::string_view document_field,
                            const run::TranslationTable& documents) {
  const Movement& m = movement_;
  source_->ForEachRecord(target, [&](std::uint32_t) {
    if (!run::IsDosKeySet(m.id_dok)) return run::Skipped(run::SkipReason::kKeyNotSet);
    target.Append();
    SetReference(context_, target, document_field, documents, m.id_dok);
    target.SetText("id_osoby", context_.tables().persons.GetOrAssignKey(m.id_osoby));
    SetDosDate(context_, target, "d_wyp", m.d_wyp);
    SetDosDate(context_, target, "d_zwrotu", m.d_zwrotu);
    target.Post();
    return run::kWritten;
  });
  ReportTable(context_, target);
}

}  // namespace konwerter::convert
