#include "convert/templates.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/line_vat.h"

namespace konwerter::convert {

namespace {

struct Template {
  std::string nazwa_wz, nr_cennika, pozycja;
  std::uint16_t r_ceny = 0;
  double ilosc = 0, wspczynnik = 0, wart_posr = 0, wartosc = 0;
};

}  // namespace

run::Status ConvertTemplates(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  Template source;
  auto wzorce = SourceTable::Open(context, source::tables::kWzorce, [&](SourceTable& table) {
    table.Text("nazwa_wz", &source.nazwa_wz)
        .Key()
        .Word("r_ceny", &source.r_ceny)
        .Text("nr_cennika", &source.nr_cennika)
        .Text("pozycja", &source.pozycja)
        .Real("ilosc", &source.ilosc)
        .Real("wspczynnik", &source.wspczynnik)
        .Real("wart_posr", &source.wart_posr)
        .Real("wartosc", &source.wartosc);
  });
  if (!wzorce) return wzorce.error();
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaWzorce);
  wzorce->ForEachRecord(*table, [&](std::uint32_t) {
    if (source.r_ceny == 0) return run::Skipped(run::SkipReason::kNoPriceList);
    table->Append();
    table->SetText("Nazwa_wz", source.nazwa_wz);
    table->SetNumber("R_ceny", source.r_ceny);
    table->SetText("Nr_cennika", source.nr_cennika);
    table->SetText("Pozycja", source.pozycja);
    table->SetNumber("Ilosc", source.ilosc);
    table->SetNumber("Wspczynnik", source.wspczynnik);
    table->SetNumber("Wart_posr", source.wart_posr);
    table->SetNumber("Wartosc", source.wartosc);
    WriteLineVat(*table,
                 VatOfLine(context.price_lists, {source.r_ceny, source.nr_cennika, source.pozycja,
                                                 source.wart_posr, source.wartosc}));
    table->Post();
    return run::kWritten;
  });
  ReportTable(context, *table);
  table->Finish();
  return {};
}

}  // namespace konwerter::convert
