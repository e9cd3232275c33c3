#include "convert/map_stock.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/number_texts.h"

namespace konwerter::convert {

namespace {

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

  run::Status Run() {
    SourceTablesScope scope(context_);
    for (const auto step : {&MapStockConverter::Deliveries, &MapStockConverter::SheetsReceived,
                            &MapStockConverter::MapKinds, &MapStockConverter::Designations}) {
      if (run::Status done = (this->*step)(); !done) return done;
    }
    return {};
  }

 private:
  run::Status Deliveries();
  void WriteDelivery(engine::Table& table, const Delivery& source, const std::string& identifier);
  run::Status SheetsReceived();
  run::Status MapKinds();
  run::Status Designations();

  run::RunContext& context_;
  const std::string folder_;
  run::TranslationTable deliveries_;  // new ID_DOSTAWY by record number of dostawy.dbf
};

run::Status MapStockConverter::Deliveries() {
  Delivery source;
  auto dostawy = SourceTable::Open(context_, source::tables::kDostawy, [&](SourceTable& table) {
    table.Binary2("id_dostawy", &source.id_dostawy)
        .Key()
        .Text("nr_dostawy", &source.nr_dostawy)
        .Binary4("id_osoby", &source.id_osoby)
        .Text("nr_dow_p", &source.nr_dow_p)
        .Text("d_dowodu", &source.d_dowodu)
        .Text("d_przyj", &source.d_przyj)
        .Real("wartosc", &source.wartosc)
        .Text("uwagi", &source.uwagi)
        .Logical("przychod", &source.przychod);
  });
  if (!dostawy) return dostawy.error();
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotDostawy);
  RegisterNumbering numbering(context_, deliveries_, dostawy->RecordCount(), kCodeWidth);
  dostawy->ForEachRecord(*table, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(source.id_dostawy)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (!source.przychod) return run::Skipped(run::SkipReason::kNotReceived);
    WriteDelivery(*table, source, numbering.Next(record));
    return run::kWritten;
  });
  numbering.WriteSequenceRow("DOSTAWY");
  ReportTable(context_, *table);
  table->Finish();
  return {};
}

void MapStockConverter::WriteDelivery(engine::Table& table, const Delivery& source,
                                      const std::string& identifier) {
  table.Append();
  table.SetText("ID_DOSTAWY", identifier);
  table.SetText("nr_dostawy", source.nr_dostawy);
  table.SetText("id_osoby", context_.tables().persons.GetOrAssignKey(source.id_osoby));
  table.SetText("nr_dow_p", source.nr_dow_p);
  SetDosDate(context_, table, "d_dowodu", source.d_dowodu);
  SetDosDate(context_, table, "d_przyj", source.d_przyj);
  table.SetNumber("wartosc", source.wartosc);
  table.SetText("uwagi", source.uwagi);
  table.SetText("Id_tworz", context_.creator_identifier);
  table.SetLogical("przychod", true);
  table.Post();
}

run::Status MapStockConverter::SheetsReceived() {
  SheetReceived source;
  auto przychod = SourceTable::Open(context_, source::tables::kPrzychod, [&](SourceTable& table) {
    table.Binary2("id_dostawy", &source.id_dostawy)
        .Word("nr_romap", &source.nr_romap)
        .Text("godlo", &source.godlo)
        .Key()
        .Real("cena", &source.cena)
        .Long("ilosc", &source.ilosc);
  });
  if (!przychod) return przychod.error();
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotPrzychod);
  przychod->ForEachRecord(*table, [&](std::uint32_t) {
    if (!run::IsReferenceSet(source.id_dostawy)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string delivery = deliveries_.LookUp(source.id_dostawy);
    if (delivery.empty()) return run::Skipped(run::SkipReason::kOwnerNotWritten);
    table->Append();
    table->SetText("ID_DOSTAWY", delivery);
    table->SetText("nr_romap", RightAligned(source.nr_romap, 3));
    table->SetText("godlo", source.godlo);
    table->SetNumber("cena", source.cena);
    table->SetNumber("ilosc", source.ilosc);
    table->SetLogical("stan", true);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context_, *table);
  table->Finish();
  return {};
}

run::Status MapStockConverter::MapKinds() {
  MapKind source;
  auto ind_map = SourceTable::Open(context_, source::tables::kIndMap, [&](SourceTable& table) {
    table.Word("nr_romap", &source.nr_romap)
        .Key()
        .Text("nazwa", &source.nazwa)
        .Text("nazw_s", &source.nazw_s)
        .Long("skala", &source.skala)
        .Binary4("id_osoby", &source.id_osoby)
        .Word("rok_wyd", &source.rok_wyd);
  });
  if (!ind_map) return ind_map.error();
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotIndMap);
  ind_map->ForEachRecord(*table, [&](std::uint32_t) {
    if (source.nr_romap == 0) return run::Skipped(run::SkipReason::kKeyNotSet);
    table->Append();
    table->SetText("nr_romap", RightAligned(source.nr_romap, 3));
    table->SetText("nazwa", source.nazwa);
    table->SetText("nazwa_s", source.nazw_s);
    table->SetNumber("skala", source.skala);
    table->SetText("id_osoby", context_.tables().persons.GetOrAssignKey(source.id_osoby));
    table->SetNumber("rok_wyd", source.rok_wyd);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context_, *table);
  table->Finish();
  return {};
}

run::Status MapStockConverter::Designations() {
  Designation source;
  auto godla = SourceTable::Open(context_, source::tables::kGodla, [&](SourceTable& table) {
    table.Text("godlo", &source.godlo).Key().Text("nazwa_god", &source.nazwa_god);
  });
  if (!godla) return godla.error();
  auto table = CreateTargetTable(context_, folder_, target::tables::kObrotGodla);
  godla->ForEachRecord(*table, [&](std::uint32_t) {
    // A designation whose first byte is FF is the DOS edition's mark of a removed one.
    if (!source.godlo.empty() && static_cast<unsigned char>(source.godlo[0]) == 0xFF) {
      return run::Skipped(run::SkipReason::kRemovedMark);
    }
    table->Append();
    table->SetText("godlo", source.godlo);
    table->SetText("nazwa_god", source.nazwa_god);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context_, *table);
  table->Finish();
  return {};
}

}  // namespace

run::Status ConvertMapStock(run::RunContext& context) {
  return MapStockConverter(context).Run();
}

}  // namespace konwerter::convert
