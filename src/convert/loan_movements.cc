#include "convert/loan_movements.h"

#include <utility>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

std::optional<LoanMovements> LoanMovements::Open(run::RunContext& context,
                                                 std::string_view variable,
                                                 std::string_view file_name) {
  auto source = SourceTable::Open(context, variable, file_name);
  if (!source) return std::nullopt;
  auto movement = std::make_unique<Movement>();
  source->Binary4("id_dok", &movement->id_dok)
      .Binary4("id_osoby", &movement->id_osoby)
      .Text("d_wyp", &movement->d_wyp)
      .Text("d_zwrotu", &movement->d_zwrotu);
  return LoanMovements(context, std::move(*source), std::move(movement));
}

void LoanMovements::Convert(engine::Table& target, std::string_view document_field,
                            const run::TranslationTable& documents) {
  const Movement& m = *movement_;
  source_.ForEachRecord(target, [&](std::uint32_t) {
    if (!run::IsDosKeySet(m.id_dok)) return;
    target.Append();
    target.SetText(document_field, documents.LookUp(m.id_dok));
    target.SetText("id_osoby", context_->tables().persons.GetOrAssignKey(m.id_osoby));
    SetDosDate(*context_, target, "d_wyp", m.d_wyp);
    SetDosDate(*context_, target, "d_zwrotu", m.d_zwrotu);
    target.Post();
  });
  ReportTable(*context_, target, source_.path(), source_.RecordCount());
}

}  // namespace konwerter::convert
