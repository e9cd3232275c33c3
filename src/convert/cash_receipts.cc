#include "convert/cash_receipts.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"

namespace konwerter::convert {

namespace {

// The order reference of a receipt line that pays no order: the receipt stands for itself.
constexpr std::uint16_t kSelfStandingMarker = 0xFEFE;
constexpr std::string_view kSelfStandingOrder = "FFFFFFFF";
constexpr std::string_view kSelfStandingFlag = "K";

struct Receipt {
  std::uint32_t id_kp = 0;
  std::string nr_kp, d_kp;
  double kwota_kp = 0;
};

struct ReceiptLine {
  std::uint32_t id_kp = 0;
  std::uint16_t id_zam = 0;
  bool odsetki = false;
  double kwota_el = 0;
};

// Flags the receipt of a self-standing line, found by its identifier in the written
// nrkp.dbf; a line whose receipt was not written flags nothing.
void FlagSelfStanding(engine::Table& nrkp, const std::string& receipt) {
  if (receipt.empty() || !nrkp.FindKey(receipt)) return;
  nrkp.Edit();
  nrkp.SetText("Samo_Kp", kSelfStandingFlag);
  nrkp.Post();
}

}  // namespace

run::Status ConvertCashReceipts(run::RunContext& context) {
  const std::string folder = MakeTargetFolder(context, "ZLECENIA");
  SourceTablesScope scope(context);
  Receipt receipt;
  ReceiptLine line;
  auto receipts = SourceTable::Open(context, source::tables::kNrkp, [&](SourceTable& table) {
    table.Binary4("id_kp", &receipt.id_kp)
        .Key()
        .Text("nr_kp", &receipt.nr_kp)
        .Text("d_kp", &receipt.d_kp)
        .Real("kwota_kp", &receipt.kwota_kp);
  });
  if (!receipts) return receipts.error();
  auto lines = SourceTable::Open(context, source::tables::kElkp, [&](SourceTable& table) {
    table.Binary4("id_kp", &line.id_kp)
        .Binary2("id_zam", &line.id_zam)
        .Logical("odsetki", &line.odsetki)
        .Real("kwota_el", &line.kwota_el);
  });
  if (!lines) return lines.error();

  run::TranslationTable written;  // new Id_kp by record number of the source nrkp.dbf
  RegisterNumbering numbering(context, written, receipts->RecordCount(), kDocumentIdWidth);
  auto nrkp = CreateTargetTable(context, folder, target::tables::kZleceniaNrkp);
  receipts->ForEachRecord(*nrkp, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(receipt.id_kp)) return run::Skipped(run::SkipReason::kKeyNotSet);
    nrkp->Append();
    nrkp->SetText("Id_kp", numbering.Next(record));
    nrkp->SetText("Nr_kp", receipt.nr_kp);
    SetDosDate(context, *nrkp, "D_kp", receipt.d_kp);
    nrkp->SetNumber("Kwota_kp", receipt.kwota_kp);
    nrkp->Post();
    return run::kWritten;
  });
  numbering.WriteSequenceRow("nrkp");

  auto elkp = CreateTargetTable(context, folder, target::tables::kZleceniaElkp);
  nrkp->SetCurrentIndex("id_kp");
  lines->ForEachRecord(*elkp, [&](std::uint32_t) {
    if (!run::IsDosKeySet(line.id_kp)) return run::Skipped(run::SkipReason::kKeyNotSet);
    elkp->Append();
    SetReference(context, *elkp, "Id_kp", written, line.id_kp);
    if (line.id_zam == kSelfStandingMarker) {
      elkp->SetText("Id_zam", kSelfStandingOrder);
      FlagSelfStanding(*nrkp, written.LookUp(line.id_kp));
    } else if (run::IsReferenceSet(line.id_zam)) {
      SetReference(context, *elkp, "Id_zam", context.records.orders, line.id_zam);
    }
    elkp->SetLogical("Odsetki", line.odsetki);
    elkp->SetNumber("Kwota_el", line.kwota_el);
    elkp->SetText("Id_tworz", context.creator_identifier);
    elkp->Post();
    return run::kWritten;
  });
  ReportTable(context, *nrkp);
  ReportTable(context, *elkp);
  nrkp->Finish();
  elkp->Finish();
  return {};
}

}  // namespace konwerter::convert
