#include "convert/map_documentation.h"

#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "platform/cp1250_case.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kCancelledSystem = "\xFF";  // uklad of a cancelled document

// One record of metryka.dbf as the reader fills it.
struct Document {
  std::uint32_t id_dok = 0;
  std::uint16_t skr_dok = 0, skr_opis = 0;
  std::string godlo, uklad, nr_ewid, d_zal, d_akt;
  DocumentTail tail;
};

// One record of slownik.dbf or ind_dok.dbf: a code only tested for being set, a name and a
// short code.
struct Entry {
  std::uint16_t code = 0;
  std::string name, short_code;
};

class MapDocumentationConverter {
 public:
  explicit MapDocumentationConverter(run::RunContext& context)
      : context_(context), ruch_m_(context) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  void ConvertDictionary(SourceTable& source, engine::Table& target, const Entry& entry,
                         run::TranslationTable& codes, std::string_view sequence_name);
  void ConvertDocuments(engine::Table& metryka);
  void WriteDocument(engine::Table& metryka, const std::string& identifier);

  run::RunContext& context_;
  std::optional<SourceTable> metryka_, slownik_, ind_dok_;
  LoanMovements ruch_m_;
  Document document_;
  Entry description_, kind_;
  run::TranslationTable documents_, descriptions_;
};

run::Status MapDocumentationConverter::OpenSources() {
  Document& d = document_;
  auto metryka = SourceTable::Open(context_, source::tables::kMetryka, [&](SourceTable& table) {
    table.Binary4("id_dok", &d.id_dok)
        .Key()
        .Binary2("skr_dok", &d.skr_dok)
        .Text("godlo", &d.godlo)
        .Text("uklad", &d.uklad)
        .Text("nr_ewid", &d.nr_ewid)
        .Binary2("skr_opis", &d.skr_opis)
        .Text("d_zal", &d.d_zal)
        .Text("d_akt", &d.d_akt);
    d.tail.Bind(table);
  });
  if (!metryka) return metryka.error();
  metryka_ = std::move(*metryka);
  if (run::Status opened = ruch_m_.Open(source::tables::kRuchM); !opened) return opened;
  auto slownik = SourceTable::Open(context_, source::tables::kSlownik, [&](SourceTable& table) {
    table.Binary2("skr_opis", &description_.code)
        .Key()
        .Text("opis", &description_.name)
        .Text("kod_opis", &description_.short_code);
  });
  if (!slownik) return slownik.error();
  slownik_ = std::move(*slownik);
  auto ind_dok = SourceTable::Open(context_, source::tables::kIndDok, [&](SourceTable& table) {
    table.Binary2("skr_dok", &kind_.code)
        .Key()
        .Text("naz_dok", &kind_.name)
        .Text("kod_dok", &kind_.short_code);
  });
  if (!ind_dok) return ind_dok.error();
  ind_dok_ = std::move(*ind_dok);
  return {};
}

// Descriptions and document kinds: entries with a code get the next 4-digit code, kept by
// their record number for the register; entries without one are left out.
void MapDocumentationConverter::ConvertDictionary(SourceTable& source, engine::Table& target,
                                                  const Entry& entry, run::TranslationTable& codes,
                                                  std::string_view sequence_name) {
  RegisterNumbering numbering(context_, codes, source.RecordCount(), kCodeWidth);
  source.ForEachRecord(target, [&](std::uint32_t record) {
    if (!run::IsReferenceSet(entry.code)) return run::Skipped(run::SkipReason::kKeyNotSet);
    target.Append();  // fields in schema order: code, name, short code
    target.SetText(0, numbering.Next(record));
    target.SetText(1, entry.name);
    target.SetText(2, entry.short_code);
    target.Post();
    return run::kWritten;
  });
  numbering.WriteSequenceRow(sequence_name);
  ReportTable(context_, target);
}

void MapDocumentationConverter::WriteDocument(engine::Table& metryka,
                                              const std::string& identifier) {
  const Document& d = document_;
  metryka.Append();
  metryka.SetText("id_dok", identifier);
  metryka.SetText("skr_dok", context_.records.document_kinds.LookUp(d.skr_dok));
  metryka.SetText("godlo", d.godlo);
  metryka.SetText("uklad", platform::ToUpperCp1250(d.uklad));
  metryka.SetText("nr_ewid", d.nr_ewid);
  metryka.SetText("skr_opis", descriptions_.LookUp(d.skr_opis));
  SetDosDate(context_, metryka, "d_zal", d.d_zal);
  SetDosDate(context_, metryka, "d_akt", d.d_akt);
  d.tail.Write(context_, metryka);
  metryka.Post();
}

void MapDocumentationConverter::ConvertDocuments(engine::Table& metryka) {
  const Document& d = document_;
  RegisterNumbering numbering(context_, documents_, metryka_->RecordCount(), kDocumentIdWidth);
  metryka_->ForEachRecord(metryka, [&](std::uint32_t record) {
    if (!run::IsDosKeySet(d.id_dok)) return run::Skipped(run::SkipReason::kKeyNotSet);
    if (d.uklad == kCancelledSystem) return run::Skipped(run::SkipReason::kCancelled);
    WriteDocument(metryka, numbering.Next(record));
    return run::kWritten;
  });
  numbering.WriteSequenceRow("METRYKA");
  ReportTable(context_, metryka);
}

run::Status MapDocumentationConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "KMZ");
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  namespace tables = target::tables;
  auto metryka = CreateTargetTable(context_, folder, tables::kKmzMetryka);
  auto ruch_m = CreateTargetTable(context_, folder, tables::kKmzRuchM);
  auto slownik = CreateTargetTable(context_, folder, tables::kKmzSlownik);
  auto ind_dok = CreateTargetTable(context_, folder, tables::kKmzIndDok);

  ConvertDictionary(*slownik_, *slownik, description_, descriptions_, "SLOWNIK");
  ConvertDictionary(*ind_dok_, *ind_dok, kind_, context_.records.document_kinds, "IND_DOK");
  ConvertDocuments(*metryka);
  ruch_m_.Convert(*ruch_m, "id_dok", documents_);

  metryka->Finish();
  ruch_m->Finish();
  slownik->Finish();
  ind_dok->Finish();
  return {};
}

}  // namespace

run::Status ConvertMapDocumentation(run::RunContext& context) {
  return MapDocumentationConverter(context).Run();
}

}  // namespace konwerter::convert
