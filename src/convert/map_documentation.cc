#include "convert/map_documentation.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "platform/cp1250_case.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDGMAPAZ";
constexpr std::string_view kCancelledSystem = "\xFF";  // uklad of a cancelled document

// One record of metryka.dbf as the reader fills it.
struct Document {
  std::uint32_t id_dok = 0, id_osoby = 0, id_zam = 0;
  std::uint16_t skr_dok = 0, skr_opis = 0;
  std::string godlo, uklad, nr_ewid, d_zal, d_akt, d_wyp, d_plan, uwagi;
};

// One record of slownik.dbf or ind_dok.dbf: a code only tested for being set, a name and a
// short code.
struct Entry {
  std::uint16_t code = 0;
  std::string name, short_code;
};

class MapDocumentationConverter {
 public:
  explicit MapDocumentationConverter(run::RunContext& context) : context_(context) {}

  bool Run();

 private:
  bool OpenSources();
  void ConvertDictionary(SourceTable& source, engine::Table& target, const Entry& entry,
                         run::TranslationTable& codes, std::string_view sequence_name);
  void ConvertDocuments(engine::Table& metryka);

  run::RunContext& context_;
  std::optional<SourceTable> metryka_, slownik_, ind_dok_;
  std::optional<LoanMovements> ruch_m_;
  Document document_;
  Entry description_, kind_;
  run::TranslationTable documents_, descriptions_;
};

bool MapDocumentationConverter::OpenSources() {
  metryka_ = SourceTable::Open(context_, kVariable, "metryka.dbf");
  if (!metryka_) return false;
  metryka_->Binary4("id_dok", &document_.id_dok)
      .Binary2("skr_dok", &document_.skr_dok)
      .Text("godlo", &document_.godlo)
      .Text("uklad", &document_.uklad)
      .Text("nr_ewid", &document_.nr_ewid)
      .Binary2("skr_opis", &document_.skr_opis)
      .Text("d_zal", &document_.d_zal)
      .Text("d_akt", &document_.d_akt)
      .Binary4("id_osoby", &document_.id_osoby)
      .Text("d_wyp", &document_.d_wyp)
      .Text("d_plan", &document_.d_plan)
      .Binary4("id_zam", &document_.id_zam)
      .Text("uwagi", &document_.uwagi);
  ruch_m_ = LoanMovements::Open(context_, kVariable, "ruch_m.dbf");
  if (!ruch_m_) return false;
  slownik_ = SourceTable::Open(context_, kVariable, "slownik.dbf");
  if (!slownik_) return false;
  slownik_->Binary2("skr_opis", &description_.code)
      .Text("opis", &description_.name)
      .Text("kod_opis", &description_.short_code);
  ind_dok_ = SourceTable::Open(context_, kVariable, "ind_dok.dbf");
  if (!ind_dok_) return false;
  ind_dok_->Binary2("skr_dok", &kind_.code)
      .Text("naz_dok", &kind_.name)
      .Text("kod_dok", &kind_.short_code);
  return true;
}

// Descriptions and document kinds: entries with a code get the next 4-digit code, kept by
// their record number for the register; entries without one are left out.
void MapDocumentationConverter::ConvertDictionary(SourceTable& source, engine::Table& target,
                                                  const Entry& entry, run::TranslationTable& codes,
                                                  std::string_view sequence_name) {
  std::uint32_t next = 1;
  source.ForEachRecord(target, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(entry.code)) return;
    const std::string code = HexNumber(next, 4);
    target.Append();  // fields in schema order: code, name, short code
    target.SetText(0, code);
    target.SetText(1, entry.name);
    target.SetText(2, entry.short_code);
    target.Post();
    codes.Store(record, code);
    ++next;
  });
  context_.sequence->WriteRow(sequence_name, next);
  ReportTable(context_, target, source.path(), source.RecordCount());
}

void MapDocumentationConverter::ConvertDocuments(engine::Table& metryka) {
  run::SharedTables& shared = context_.tables();
  const Document& d = document_;
  std::uint32_t next = 1;
  metryka_->ForEachRecord(metryka, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(d.id_dok) || d.uklad == kCancelledSystem) return;
    const std::string identifier = HexNumber(next, 8);
    metryka.Append();
    metryka.SetText("id_dok", identifier);
    metryka.SetText("skr_dok", context_.records.document_kinds.LookUp(d.skr_dok));
    metryka.SetText("godlo", d.godlo);
    metryka.SetText("uklad", platform::ToUpperCp1250(d.uklad));
    metryka.SetText("nr_ewid", d.nr_ewid);
    metryka.SetText("skr_opis", descriptions_.LookUp(d.skr_opis));
    SetDosDate(context_, metryka, "d_zal", d.d_zal);
    SetDosDate(context_, metryka, "d_akt", d.d_akt);
    metryka.SetText("id_osoby", shared.persons.GetOrAssignKey(d.id_osoby));
    SetDosDate(context_, metryka, "d_wyp", d.d_wyp);
    SetDosDate(context_, metryka, "d_plan", d.d_plan);
    metryka.SetText("uwagi", d.uwagi);
    metryka.SetText("id_zam", shared.works.GetOrAssignKey(d.id_zam));
    metryka.SetText("id_tworz", context_.creator_identifier);
    metryka.Post();
    documents_.Store(record, identifier);
    ++next;
  });
  context_.sequence->WriteRow("METRYKA", next);
  ReportTable(context_, metryka, metryka_->path(), metryka_->RecordCount());
}

bool MapDocumentationConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "KMZ");
  SourceTablesScope scope(context_);
  if (!OpenSources()) return false;

  namespace tables = target::tables;
  run::TranslationTable& kinds = context_.records.document_kinds;
  documents_.Size(metryka_->RecordCount() + 100);
  auto metryka = CreateTargetTable(context_, folder, tables::kKmzMetryka);
  auto ruch_m = CreateTargetTable(context_, folder, tables::kKmzRuchM);
  descriptions_.Size(slownik_->RecordCount() + 100);
  auto slownik = CreateTargetTable(context_, folder, tables::kKmzSlownik);
  kinds.Size(ind_dok_->RecordCount() + 100);
  auto ind_dok = CreateTargetTable(context_, folder, tables::kKmzIndDok);

  ConvertDictionary(*slownik_, *slownik, description_, descriptions_, "SLOWNIK");
  ConvertDictionary(*ind_dok_, *ind_dok, kind_, kinds, "IND_DOK");
  ConvertDocuments(*metryka);
  ruch_m_->Convert(*ruch_m, "id_dok", documents_);

  metryka->Close();
  ruch_m->Close();
  slownik->Close();
  ind_dok->Close();
  return true;
}

}  // namespace

bool ConvertMapDocumentation(run::RunContext& context) {
  return MapDocumentationConverter(context).Run();
}

}  // namespace konwerter::convert
