#include "convert/document_tail.h"

#include "convert/values.h"

namespace konwerter::convert {

void DocumentTail::Bind(SourceTable& table) {
  table.Binary4("id_osoby", &id_osoby)
      .Text("d_wyp", &d_wyp)
      .Text("d_plan", &d_plan)
      .Binary4("id_zam", &id_zam)
      .Text("uwagi", &uwagi);
}

void DocumentTail::Write(run::RunContext& context, engine::Table& target) const {
  run::SharedTables& shared = context.tables();
  target.SetText("id_osoby", shared.persons.GetOrAssignKey(id_osoby));
  SetDosDate(context, target, "d_wyp", d_wyp);
  SetDosDate(context, target, "d_plan", d_plan);
  target.SetText("id_zam", shared.works.GetOrAssignKey(id_zam));
  target.SetText("uwagi", uwagi);
  target.SetText("id_tworz", context.creator_identifier);
}

}  // namespace konwerter::convert
