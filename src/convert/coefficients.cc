#include "convert/coefficients.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDLZLEC";
constexpr int kCoefficientIdWidth = 4;
// Two spaces: a coefficient reference that was never filled in.
constexpr std::uint16_t kBlankReference = 0x2020;

struct Description {
  std::uint16_t id_wspk = 0;
  std::string kod_wspk, opis_wspk;
  double wspk = 0;
};

struct Part {
  std::uint32_t id_rozl = 0;
  double wspk_czesc = 0;
  std::uint16_t id_wspk = 0;
};

bool ConvertDescriptions(run::RunContext& context, const std::string& folder,
                         run::TranslationTable& written) {
  Description source;
  auto opis_wsp = SourceTable::Open(context, kVariable, "opis_wsp.dbf");
  if (!opis_wsp) return false;
  opis_wsp->Binary2("id_wspk", &source.id_wspk)
      .Text("kod_wspk", &source.kod_wspk)
      .Text("opis_wspk", &source.opis_wspk)
      .Real("wspk", &source.wspk);
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaOpisWsp);
  written.Size(opis_wsp->RecordCount() + 100);
  std::uint32_t next = 1;
  opis_wsp->ForEachRecord(*table, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(source.id_wspk)) return;
    const std::string identifier = HexNumber(next++, kCoefficientIdWidth);
    written.Store(record, identifier);
    table->Append();
    table->SetText("Id_wspk", identifier);
    table->SetText("Kod_wspk", source.kod_wspk);
    table->SetText("Opis_wspk", source.opis_wspk);
    table->SetNumber("Wspk", source.wspk);
    table->Post();
  });
  context.sequence->WriteRow("opis_wsp", next);
  ReportTable(context, *table, opis_wsp->path(), opis_wsp->RecordCount());
  table->Close();
  return true;
}

bool ConvertParts(run::RunContext& context, const std::string& folder,
                  const run::TranslationTable& descriptions) {
  Part source;
  auto wsprozl = SourceTable::Open(context, kVariable, "wsprozl.dbf");
  if (!wsprozl) return false;
  wsprozl->Binary4("id_rozl", &source.id_rozl)
      .Real("wspk_czesc", &source.wspk_czesc)
      .Binary2("id_wspk", &source.id_wspk);
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaWsprozl);
  wsprozl->ForEachRecord(*table, [&](std::uint32_t) {
    if (!run::IsDosKeySet(source.id_rozl)) return;
    table->Append();
    table->SetText("Id_rozl", context.records.settlements.LookUp(source.id_rozl));
    table->SetNumber("Wsp_czesc", source.wspk_czesc);
    if (run::IsReferenceSet(source.id_wspk) && source.id_wspk != kBlankReference) {
      table->SetText("Id_wspk", descriptions.LookUp(source.id_wspk));
    }
    table->Post();
  });
  ReportTable(context, *table, wsprozl->path(), wsprozl->RecordCount());
  table->Close();
  return true;
}

}  // namespace

bool ConvertCoefficients(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  run::TranslationTable descriptions;  // new Id_wspk by record number of opis_wsp.dbf
  return ConvertDescriptions(context, folder, descriptions) &&
         ConvertParts(context, folder, descriptions);
}

bool ConvertStatutoryInterest(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  std::string d_od, jakie;
  double stopa = 0;
  auto ustawowe = SourceTable::Open(context, "BDGWINDYK", "ustawowe.dbf", /*report=*/false);
  if (!ustawowe) return false;
  ustawowe->Text("d_od", &d_od).Real("stopa", &stopa).Text("jakie", &jakie);
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaUstawowe);
  ustawowe->ForEachRecord(*table, [&](std::uint32_t) {
    table->Append();
    SetDosDate(context, *table, "D_od", d_od);
    table->SetNumber("Stopa", stopa);
    table->SetText("Jakie", jakie);
    table->Post();
  });
  ReportTable(context, *table, ustawowe->path(), ustawowe->RecordCount());
  table->Close();
  return true;
}

bool ConvertSalesRegister(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  std::string d_poczrej, d_konrej;
  auto nrej_sp = SourceTable::Open(context, kVariable, "nrej_sp.dbf", /*report=*/false);
  if (!nrej_sp) return false;
  nrej_sp->Text("d_poczrej", &d_poczrej).Text("d_konrej", &d_konrej);
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaNrejSp);
  nrej_sp->ForEachRecord(*table, [&](std::uint32_t) {
    table->Append();
    SetDosDate(context, *table, "D_poczrej", d_poczrej);
    SetDosDate(context, *table, "D_konrej", d_konrej);
    table->Post();
  });
  ReportTable(context, *table, nrej_sp->path(), nrej_sp->RecordCount());
  table->Close();
  return true;
}

}  // namespace konwerter::convert
