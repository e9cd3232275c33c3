#include "convert/map_stock.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/number_texts.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDLDRUKI";
constexpr int kDeliveryIdWidth = 4;

struct Delivery {
  std::uint16_t id_dostawy = 0;
  std::string nr_dostawy, nr_dow_p, d_dowodu, d_przyj, uwagi;
  std::uint32_t id_osoby = 0;
  double wartosc = 0;
  bool przychod = false;
};

struct SheetReceived {
  std::uint16_t id_dostawy = 0, nr_romap = 0;
  std::string godlo;
  double cena = 0;
  std::int32_t ilosc = 0;
};

struct MapKind {
  std::uint16_t nr_romap = 0, rok_wyd = 0;
  std::string nazwa, nazw_s;
  std::int32_t skala = 0;
  std::uint32_t id_osoby = 0;
};

struct Designation {
  std::string godlo, nazwa_god;
};

class MapStockConverter {
 public:
  explicit MapStockConverter(run::RunContext& context)
      : context_(context), folder_(MakeTargetFolder(context, "OBROT")) {}

  bool Run() {
    SourceTablesScope scope(context_);
    return Deliveries() && SheetsReceived() && MapKinds() && Designations();
  }

 private:
  bool Deliveries();
  bool SheetsReceived();
  bool MapKinds();
  bool Designations();

  run::RunContext& context_;
  const std::string folder_;
  run::TranslationTable deliveries_;  // new ID_DOSTAWY by record number of dostawy.dbf
};

bool MapStockConverter::Deliveries() {
  Delivery source;
  auto dostawy = SourceTable::Open(context_, kVariable, "dostawy.dbf");
  if (!dostawy) return false;
  dostawy->Binary2("id_dostawy", &source.id_dostawy)
      .Text("nr_dostawy", &source.nr_dostawy)
      .Binary4("id_osoby", &source.id_osoby)
      .Text("nr_dow_p", &source.nr_dow_p)
      .Text("d_dowodu", &source.d_dowodu)
      .Text("d_przyj", &source.d_przyj)
      .Real("wartosc", &source.wartosc)
      .Text("uwagi", &source.uwagi)
      .Logical("przychod", &source.przychod);
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotDostawy);
  deliveries_.Size(dostawy->RecordCount() + 100);
  std::uint32_t next = 1;
  dostawy->ForEachRecord(*table, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(source.id_dostawy) || !source.przychod) return;
    const std::string identifier = HexNumber(next++, kDeliveryIdWidth);
    deliveries_.Store(record, identifier);
    table->Append();
    table->SetText("ID_DOSTAWY", identifier);
    table->SetText("nr_dostawy", source.nr_dostawy);
    table->SetText("id_osoby", context_.tables().persons.GetOrAssignKey(source.id_osoby));
    table->SetText("nr_dow_p", source.nr_dow_p);
    SetDosDate(context_, *table, "d_dowodu", source.d_dowodu);
    SetDosDate(context_, *table, "d_przyj", source.d_przyj);
    table->SetNumber("wartosc", source.wartosc);
    table->SetText("uwagi", source.uwagi);
    table->SetText("Id_tworz", context_.creator_identifier);
    table->SetLogical("przychod", true);
    table->Post();
  });
  context_.sequence->WriteRow("DOSTAWY", next);
  ReportTable(context_, *table, dostawy->path(), dostawy->RecordCount());
  table->Close();
  return true;
}

bool MapStockConverter::SheetsReceived() {
  SheetReceived source;
  auto przychod = SourceTable::Open(context_, kVariable, "przychod.dbf");
  if (!przychod) return false;
  przychod->Binary2("id_dostawy", &source.id_dostawy)
      .Word("nr_romap", &source.nr_romap)
      .Text("godlo", &source.godlo)
      .Real("cena", &source.cena)
      .Long("ilosc", &source.ilosc);
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotPrzychod);
  przychod->ForEachRecord(*table, [&](std::uint32_t) {
    if (!run::IsReferenceSet(source.id_dostawy)) return;
    const std::string delivery = deliveries_.LookUp(source.id_dostawy);
    if (delivery.empty()) return;
    table->Append();
    table->SetText("ID_DOSTAWY", delivery);
    table->SetText("nr_romap", RightAligned(source.nr_romap, 3));
    table->SetText("godlo", source.godlo);
    table->SetNumber("cena", source.cena);
    table->SetNumber("ilosc", source.ilosc);
    table->SetLogical("stan", true);
    table->Post();
  });
  ReportTable(context_, *table, przychod->path(), przychod->RecordCount());
  table->Close();
  return true;
}

bool MapStockConverter::MapKinds() {
  MapKind source;
  auto ind_map = SourceTable::Open(context_, kVariable, "ind_map.dbf");
  if (!ind_map) return false;
  ind_map->Word("nr_romap", &source.nr_romap)
      .Text("nazwa", &source.nazwa)
      .Text("nazw_s", &source.nazw_s)
      .Long("skala", &source.skala)
      .Binary4("id_osoby", &source.id_osoby)
      .Word("rok_wyd", &source.rok_wyd);
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotIndMap);
  ind_map->ForEachRecord(*table, [&](std::uint32_t) {
    if (source.nr_romap == 0) return;
    table->Append();
    table->SetText("nr_romap", RightAligned(source.nr_romap, 3));
    table->SetText("nazwa", source.nazwa);
    table->SetText("nazwa_s", source.nazw_s);
    table->SetNumber("skala", source.skala);
    table->SetText("id_osoby", context_.tables().persons.GetOrAssignKey(source.id_osoby));
    table->SetNumber("rok_wyd", source.rok_wyd);
    table->Post();
  });
  ReportTable(context_, *table, ind_map->path(), ind_map->RecordCount());
  table->Close();
  return true;
}

bool MapStockConverter::Designations() {
  Designation source;
  auto godla = SourceTable::Open(context_, kVariable, "godla.dbf");
  if (!godla) return false;
  godla->Text("godlo", &source.godlo).Text("nazwa_god", &source.nazwa_god);
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotGodla);
  godla->ForEachRecord(*table, [&](std::uint32_t) {
    // A designation whose first byte is FF is the DOS edition's mark of a removed one.
    if (!source.godlo.empty() && static_cast<unsigned char>(source.godlo[0]) == 0xFF) return;
    table->Append();
    table->SetText("godlo", source.godlo);
    table->SetText("nazwa_god", source.nazwa_god);
    table->Post();
  });
  ReportTable(context_, *table, godla->path(), godla->RecordCount());
  table->Close();
  return true;
}

}  // namespace

bool ConvertMapStock(run::RunContext& context) {
  return MapStockConverter(context).Run();
}

}  // namespace konwerter::convert
