#include "convert/orders.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/line_vat.h"
#include "convert/number_texts.h"

namespace konwerter::convert {

namespace {

struct OrderCard {
  std::uint16_t id_zam = 0, rok = 0, etap_f = 0, id_obsluga = 0, id_asort = 0;
  std::int32_t nr_zam = 0, nr_vat = 0;
  std::uint32_t id_osoby = 0, id_kerg = 0;
  std::string d_wplywu, d_pisma, nr_pisma, dotyczy, d_realiz, d_odp, d_zak, d_fakt, d_zaplaty,
      uwagi, spos_zapl, typ_dok;
  double kwota_f = 0;
  bool rej_sprz = false, zaplacone = false, fakt_vat = false;
};

struct SettlementLine {
  std::uint32_t id_rozl = 0;
  std::uint16_t id_zam = 0, r_ceny = 0;
  std::string nr_cennika, pozycja;
  double ilosc = 0, wspczynnik = 0, wart_posr = 0, wartosc = 0;
  std::int32_t nr_poz = 0;
};

struct SheetIssue {
  std::uint16_t nr_romap = 0, id_zam = 0, r_ceny = 0;
  std::string godlo, nr_cennika;
  std::int32_t ilosc = 0;
  double wartosc = 0;
};

// The document type of an order card of the earlier edition, which has no typ_dok: an
// invoice when fakt_vat is set, otherwise a bill when an invoice date is given.
std::string_view EarlierDocumentType(const OrderCard& card) {
  if (card.fakt_vat) return "FV";
  if (!card.d_fakt.empty()) return "RU";
  return {};
}

class OrdersConverter {
 public:
  explicit OrdersConverter(run::RunContext& context)
      : context_(context),
        later_edition_(context.edition == source::SourceEdition::kLater),
        folder_(MakeTargetFolder(context, "ZLECENIA")) {}

  run::Status Run() {
    SourceTablesScope scope(context_);
    for (const auto step : {&OrdersConverter::OrderCards, &OrdersConverter::SettlementLines,
                            &OrdersConverter::SheetIssues}) {
      if (run::Status done = (this->*step)(); !done) return done;
    }
    return {};
  }

 private:
  run::Status OrderCards();
  void WriteOrderCard(engine::Table& table, const OrderCard& card, const std::string& id);
  run::Status SettlementLines();
  std::optional<run::SkipReason> SettlementSkipped(const SettlementLine& line) const;
  void WriteSettlement(const SettlementLine& line, const std::string& id);
  run::Status SheetIssues();
  void WriteIssue(const SheetIssue& issue, const std::string& id);

  run::RunContext& context_;
  const bool later_edition_;
  const std::string folder_;
  std::unique_ptr<engine::Table> rozlicz_;
  // Settlement lines and sheet issues are numbered together.
  std::optional<RegisterNumbering> settlement_numbers_;
};

run::Status OrdersConverter::OrderCards() {
  OrderCard card;
  auto kart_zam = SourceTable::Open(context_, source::tables::kKartZam, [&](SourceTable& t) {
    t.Binary2("id_zam", &card.id_zam)
        .Long("nr_zam", &card.nr_zam)
        .Key()
        .Word("rok", &card.rok)
        .Text("d_wplywu", &card.d_wplywu)
        .Text("d_pisma", &card.d_pisma)
        .Text("nr_pisma", &card.nr_pisma)
        .Binary4("id_osoby", &card.id_osoby)
        .Text("dotyczy", &card.dotyczy)
        .Binary2("id_obsluga", &card.id_obsluga)
        .Binary2("id_asort", &card.id_asort)
        .Binary4("id_kerg", &card.id_kerg)
        .Text("d_realiz", &card.d_realiz)
        .Text("d_odp", &card.d_odp)
        .Text("d_zak", &card.d_zak)
        .Word("etap_f", &card.etap_f)
        .Text("d_fakt", &card.d_fakt)
        .Real("kwota_f", &card.kwota_f)
        .Text("d_zaplaty", &card.d_zaplaty)
        .Logical("rej_sprz", &card.rej_sprz)
        .Text("uwagi", &card.uwagi)
        .Long("nr_vat", &card.nr_vat)
        .Text("spos_zapl", &card.spos_zapl)
        .Logical("zaplacone", &card.zaplacone);
    if (later_edition_) {
      t.Text("typ_dok", &card.typ_dok);
    } else {
      t.Logical("fakt_vat", &card.fakt_vat);
    }
  });
  if (!kart_zam) return kart_zam.error();
  RegisterNumbering numbering(context_, context_.records.orders, kart_zam->RecordCount(),
                              kDocumentIdWidth);
  auto table = CreateTargetTable(context_, folder_, target::tables::kZleceniaKartZam);
  kart_zam->ForEachRecord(*table, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(card.id_zam)) return run::Skipped(run::SkipReason::kKeyNotSet);
    WriteOrderCard(*table, card, numbering.Next(record));
    return run::kWritten;
  });
  numbering.WriteSequenceRow("kart_zam");
  ReportTable(context_, *table);
  table->Finish();
  return {};
}
void OrdersConverter::WriteOrderCard(engine::Table& table, const OrderCard& card,
                                     const std::string& id) {
  run::SharedTables& shared = context_.tables();
  table.Append();
  table.SetText("Id_zam", id);
  table.SetNumber("Nr_zam", card.nr_zam);
  table.SetNumber("Rok", card.rok);
  SetDosDate(context_, table, "D_wplywu", card.d_wplywu);
  SetDosDate(context_, table, "D_pisma", card.d_pisma);
  table.SetText("Nr_pisma", card.nr_pisma);
  table.SetText("Id_osoby", shared.persons.GetOrAssignKey(card.id_osoby));
  table.SetText("Dotyczy", card.dotyczy);
  table.SetText("Id_obsluga", shared.services.GetOrAssignReference(card.id_obsluga));
  table.SetText("Id_asort", shared.order_assortments.GetOrAssignReference(card.id_asort));
  table.SetText("Id_kerg", shared.works.GetOrAssignKey(card.id_kerg));
  SetDosDate(context_, table, "D_realiz", card.d_realiz);
  SetDosDate(context_, table, "D_odp", card.d_odp);
  SetDosDate(context_, table, "D_zak", card.d_zak);
  table.SetNumber("Etap_f", card.etap_f);
  SetDosDate(context_, table, "D_fakt", card.d_fakt);
  table.SetNumber("Kwota_f", card.kwota_f);
  SetDosDate(context_, table, "D_zaplaty", card.d_zaplaty);
  table.SetText("Typ_dok",
                later_edition_ ? std::string_view(card.typ_dok) : EarlierDocumentType(card));
  table.SetNumber("Nr_vat", card.nr_vat);
  table.SetLogical("Rej_sprz", card.rej_sprz);
  table.SetText("Uwagi", card.uwagi);
  table.SetText("Spos_zapl", card.spos_zapl);
  table.SetLogical("Zaplacone", card.zaplacone);
  table.SetText("Id_tworz", context_.creator_identifier);
  table.Post();
}

run::Status OrdersConverter::SettlementLines() {
  SettlementLine line;
  auto source = SourceTable::Open(context_, source::tables::kRozlicz, [&](SourceTable& t) {
    t.Binary4("id_rozl", &line.id_rozl)
        .Key()
        .Binary2("id_zam", &line.id_zam)
        .Word("r_ceny", &line.r_ceny)
        .Text("nr_cennika", &line.nr_cennika)
        .Text("pozycja", &line.pozycja)
        .Real("ilosc", &line.ilosc)
        .Real("wspczynnik", &line.wspczynnik)
        .Real("wart_posr", &line.wart_posr)
        .Real("wartosc", &line.wartosc);
    if (later_edition_) t.Long("nr_poz", &line.nr_poz);
  });
  if (!source) return source.error();
  rozlicz_ = CreateTargetTable(context_, folder_, target::tables::kZleceniaRozlicz);
  settlement_numbers_.emplace(context_, context_.records.settlements, source->RecordCount(),
                              kDocumentIdWidth);
  source->ForEachRecord(*rozlicz_, [&](std::uint32_t record) {
    if (const auto reason = SettlementSkipped(line)) return run::Skipped(*reason);
    WriteSettlement(line, settlement_numbers_->Next(record));
    return run::kWritten;
  });
  return {};
}

// A line is written when it belongs to an order, has its own key and a price list, and
// that price list is not of kind M (map sheets, which come from the issues instead).
std::optional<run::SkipReason> OrdersConverter::SettlementSkipped(
    const SettlementLine& line) const {
  if (!run::IsReferenceSet(line.id_zam)) return run::SkipReason::kNoOrder;
  if (!run::IsDosKeySet(line.id_rozl)) return run::SkipReason::kKeyNotSet;
  if (line.r_ceny == 0) return run::SkipReason::kNoPriceList;
  if (context_.price_lists.Kind(line.r_ceny) == 'M') {
    return run::SkipReason::kMapSheetPriceList;
  }
  return std::nullopt;
}

void OrdersConverter::WriteSettlement(const SettlementLine& line, const std::string& id) {
  engine::Table& table = *rozlicz_;
  table.Append();
  table.SetText("Id_rozl", id);
  SetReference(context_, table, "Id_zam", context_.records.orders, line.id_zam);
  if (later_edition_) table.SetNumber("Nr_poz", line.nr_poz);
  table.SetNumber("R_ceny", line.r_ceny);
  table.SetText("Nr_cennika", line.nr_cennika);
  table.SetText("Pozycja", line.pozycja);
  table.SetNumber("Ilosc", line.ilosc);
  table.SetNumber("Wspczynnik", line.wspczynnik);
  table.SetNumber("Wart_posr", line.wart_posr);
  table.SetNumber("Wartosc", line.wartosc);
  WriteLineVat(table, VatOfLine(context_.price_lists, {line.r_ceny, line.nr_cennika, line.pozycja,
                                                       line.wart_posr, line.wartosc}));
  table.SetText("Id_tworz", context_.creator_identifier);
  table.Post();
}

run::Status OrdersConverter::SheetIssues() {
  SheetIssue issue;
  auto rozchod = SourceTable::Open(context_, source::tables::kRozchod, [&](SourceTable& t) {
    t.Word("nr_romap", &issue.nr_romap)
        .Text("godlo", &issue.godlo)
        .Binary2("id_zam", &issue.id_zam)
        .Long("ilosc", &issue.ilosc)
        .Word("r_ceny", &issue.r_ceny)
        .Real("wartosc", &issue.wartosc)
        .Text("nr_cennika", &issue.nr_cennika);
  });
  if (!rozchod) {
    // The settlement lines stay, without the issues and without their sequence row.
    ReportTable(context_, *rozlicz_);
    rozlicz_->Finish();
    return rozchod.error();
  }
  rozchod->ForEachRecord(*rozlicz_, [&](std::uint32_t) {
    if (!run::IsReferenceSet(issue.id_zam)) return run::Skipped(run::SkipReason::kNoOrder);
    if (issue.r_ceny == 0) return run::Skipped(run::SkipReason::kNoPriceList);
    if (issue.ilosc == 0) return run::Skipped(run::SkipReason::kZeroQuantity);
    WriteIssue(issue, settlement_numbers_->NextUnkept());
    return run::kWritten;
  });
  settlement_numbers_->WriteSequenceRow("rozlicz");
  ReportTable(context_, *rozlicz_);
  rozlicz_->Finish();
  return {};
}

void OrdersConverter::WriteIssue(const SheetIssue& issue, const std::string& id) {
  const run::PriceLists& lists = context_.price_lists;
  const std::string position = ZeroPadded(issue.nr_romap, 5);
  const std::string key = run::PricePositionKey(issue.r_ceny, issue.nr_cennika, position);
  engine::Table& table = *rozlicz_;
  table.Append();
  table.SetText("Id_rozl", id);
  SetReference(context_, table, "Id_zam", context_.records.orders, issue.id_zam);
  table.SetNumber("R_ceny", issue.r_ceny);
  table.SetText("Nr_cennika", issue.nr_cennika);
  table.SetText("Pozycja", position);
  table.SetText("Nr_romap", RightAligned(issue.nr_romap, 3));
  table.SetText("Godlo", issue.godlo);
  table.SetNumber("Ilosc", issue.ilosc);
  table.SetNumber("Wspczynnik", 1);
  table.SetNumber("Wartosc", issue.wartosc);
  if (const auto price = lists.FindPrice(key)) {
    table.SetNumber("Wart_posr", static_cast<double>(*price) / 100.0);
  }
  WriteLineVat(table, VatOfPosition(lists, key, issue.wartosc));
  table.SetText("Id_tworz", context_.creator_identifier);
  table.Post();
}

}  // namespace

run::Status ConvertOrders(run::RunContext& context) {
  return OrdersConverter(context).Run();
}

}  // namespace konwerter::convert
