#include "convert/price_lists.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

namespace {

struct Header {
  std::uint16_t r_ceny = 0;
  std::string nazwa_rc, sposob_obl, sposob_klf;
};

struct Position {
  std::uint16_t r_ceny = 0;
  std::string nr_cennika, pozycja, wyr, napoz_skr, napoz_pel, sww_ku, jedn, vat;
  double konst = 0, wspolcz = 0, cena = 0;
};

// The Windows edition's code of the way a price list is classified; empty for any letter
// the DOS edition did not use.
std::string_view ClassificationCode(std::string_view sposob_klf) {
  if (sposob_klf == "P") return "1";
  if (sposob_klf == "M") return "2";
  if (sposob_klf == "N") return "3";
  if (sposob_klf == "V") return "4";
  if (sposob_klf == "R") return "5";
  return {};
}

run::Status ConvertHeaders(run::RunContext& context, const std::string& folder) {
  Header source;
  auto r_ceny = SourceTable::Open(context, source::tables::kRCeny, [&](SourceTable& table) {
    table.Word("r_ceny", &source.r_ceny)
        .Key()
        .Text("nazwa_rc", &source.nazwa_rc)
        .Text("sposob_obl", &source.sposob_obl)
        .Text("sposob_klf", &source.sposob_klf);
  });
  if (!r_ceny) return r_ceny.error();
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaRCeny);
  run::PriceLists& lists = context.price_lists;
  lists.Clear();
  r_ceny->ForEachRecord(*table, [&](std::uint32_t) {
    if (source.r_ceny == 0) return run::Skipped(run::SkipReason::kKeyNotSet);
    table->Append();
    table->SetNumber("R_ceny", source.r_ceny);
    table->SetText("Nazwa_rc", source.nazwa_rc);
    table->SetText("Sposob_obl", source.sposob_obl);
    table->SetText("Sposob_klf", ClassificationCode(source.sposob_klf));
    if (!source.sposob_obl.empty()) lists.SetKind(source.r_ceny, source.sposob_obl[0]);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context, *table);
  table->Finish();
  return {};
}

void WritePosition(engine::Table& table, const Position& source) {
  table.Append();
  table.SetNumber("R_ceny", source.r_ceny);
  table.SetText("Nr_cennika", source.nr_cennika);
  table.SetText("Pozycja", source.pozycja);
  table.SetText("Wyr", source.wyr);
  table.SetText("Napoz_skr", source.napoz_skr);
  table.SetText("Napoz_pel", source.napoz_pel);
  table.SetText("Sww_ku", source.sww_ku);
  table.SetText("Jedn", source.jedn);
  table.SetNumber("Const", source.konst);
  table.SetNumber("Wspolcz", source.wspolcz);
  table.SetNumber("Cena", source.cena);
  table.SetText("Vat", source.vat);
  table.Post();
}

run::Status ConvertPositions(run::RunContext& context, const std::string& folder) {
  Position source;
  auto cenniki = SourceTable::Open(context, source::tables::kCenniki, [&](SourceTable& table) {
    table.Word("r_ceny", &source.r_ceny)
        .Text("nr_cennika", &source.nr_cennika)
        .Text("pozycja", &source.pozycja)
        .Key()
        .Text("wyr", &source.wyr)
        .Text("napoz_skr", &source.napoz_skr)
        .Text("napoz_pel", &source.napoz_pel)
        .Text("sww_ku", &source.sww_ku)
        .Text("jedn", &source.jedn)
        .Real("const", &source.konst)
        .Real("wspolcz", &source.wspolcz)
        .Real("cena", &source.cena)
        .Text("vat", &source.vat);
  });
  if (!cenniki) return cenniki.error();
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaCenniki);
  run::PriceLists& lists = context.price_lists;
  cenniki->ForEachRecord(*table, [&](std::uint32_t) {
    if (source.r_ceny == 0) return run::Skipped(run::SkipReason::kNoPriceList);
    WritePosition(*table, source);
    const std::string key = run::PricePositionKey(source.r_ceny, source.nr_cennika, source.pozycja);
    lists.AddPosition(key, Cut(source.vat, 2), run::PriceHundredths(source.cena));
    return run::kWritten;
  });
  lists.Sort();
  ReportTable(context, *table);
  table->Finish();
  return {};
}

}  // namespace

run::Status ConvertPriceLists(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  if (run::Status headers = ConvertHeaders(context, folder); !headers) return headers;
  return ConvertPositions(context, folder);
}

}  // namespace konwerter::convert
