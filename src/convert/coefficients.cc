#include "convert/coefficients.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

namespace {

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

run::Status ConvertDescriptions(run::RunContext& context, const std::string& folder,
                                run::TranslationTable& written) {
  Description source;
  auto opis_wsp = SourceTable::Open(context, source::tables::kOpisWsp, [&](SourceTable& table) {
    table.Binary2("id_wspk", &source.id_wspk)
        .Key()
        .Text("kod_wspk", &source.kod_wspk)
        .Text("opis_wspk", &source.opis_wspk)
        .Real("wspk", &source.wspk);
  });
  if (!opis_wsp) return opis_wsp.error();
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaOpisWsp);
  RegisterNumbering numbering(context, written, opis_wsp->RecordCount(), kCodeWidth);
  opis_wsp->ForEachRecord(*table, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(source.id_wspk)) return run::Skipped(run::SkipReason::kKeyNotSet);
    table->Append();
    table->SetText("Id_wspk", numbering.Next(record));
    table->SetText("Kod_wspk", source.kod_wspk);
    table->SetText("Opis_wspk", source.opis_wspk);
    table->SetNumber("Wspk", source.wspk);
    table->Post();
    return run::kWritten;
  });
  numbering.WriteSequenceRow("opis_wsp");
  ReportTable(context, *table);
  table->Finish();
  return {};
}

run::Status ConvertParts(run::RunContext& context, const std::string& folder,
                         const run::TranslationTable& descriptions) {
  Part source;
  auto wsprozl = SourceTable::Open(context, source::tables::kWsprozl, [&](SourceTable& table) {
    table.Binary4("id_rozl", &source.id_rozl)
        .Real("wspk_czesc", &source.wspk_czesc)
        .Binary2("id_wspk", &source.id_wspk);
  });
  if (!wsprozl) return wsprozl.error();
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaWsprozl);
  wsprozl->ForEachRecord(*table, [&](std::uint32_t) {
    if (!run::IsDosKeySet(source.id_rozl)) return run::Skipped(run::SkipReason::kKeyNotSet);
    table->Append();
    SetReference(context, *table, "Id_rozl", context.records.settlements, source.id_rozl);
    table->SetNumber("Wsp_czesc", source.wspk_czesc);
    if (run::IsReferenceSet(source.id_wspk) && source.id_wspk != kBlankReference) {
      SetReference(context, *table, "Id_wspk", descriptions, source.id_wspk);
    }
    table->Post();
    return run::kWritten;
  });
  ReportTable(context, *table);
  table->Finish();
  return {};
}

}  // namespace

run::Status ConvertCoefficients(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  run::TranslationTable descriptions;  // new Id_wspk by record number of opis_wsp.dbf
  if (run::Status done = ConvertDescriptions(context, folder, descriptions); !done) return done;
  return ConvertParts(context, folder, descriptions);
}

// Statutory interest rates: optional; a file that is there but cannot be read is left out
// with a warning.
run::Status ConvertStatutoryInterest(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  std::string d_od, jakie;
  double stopa = 0;
  auto ustawowe =
      SourceTable::OpenIfReadable(context, source::tables::kUstawowe, [&](SourceTable& table) {
        table.Text("d_od", &d_od).Key().Real("stopa", &stopa).Text("jakie", &jakie);
      });
  if (!ustawowe) return {};
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaUstawowe);
  ustawowe->ForEachRecord(*table, [&](std::uint32_t) {
    table->Append();
    SetDosDate(context, *table, "D_od", d_od);
    table->SetNumber("Stopa", stopa);
    table->SetText("Jakie", jakie);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context, *table);
  table->Finish();
  return {};
}

// The sales register's numbering periods: optional like the interest rates.
run::Status ConvertSalesRegister(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  std::string d_poczrej, d_konrej;
  auto nrej_sp =
      SourceTable::OpenIfReadable(context, source::tables::kNrejSp, [&](SourceTable& table) {
        table.Text("d_poczrej", &d_poczrej).Key().Text("d_konrej", &d_konrej);
      });
  if (!nrej_sp) return {};
  auto table = CreateTargetTable(context, folder, target::tables::kZleceniaNrejSp);
  nrej_sp->ForEachRecord(*table, [&](std::uint32_t) {
    table->Append();
    SetDosDate(context, *table, "D_poczrej", d_poczrej);
    SetDosDate(context, *table, "D_konrej", d_konrej);
    table->Post();
    return run::kWritten;
  });
  ReportTable(context, *table);
  table->Finish();
  return {};
}

}  // namespace konwerter::convert
