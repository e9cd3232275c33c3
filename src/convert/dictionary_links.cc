#include "convert/dictionary_links.h"

#include "convert/target_tables.h"
#include "convert/values.h"
#include "run/value_rules.h"

namespace konwerter::convert {

run::Status DictionaryLinks::Open(const source::tables::TableLayout& layout) {
  auto source = SourceTable::Open(context_, layout, [&](SourceTable& table) {
    table.Binary4("id_ope", &link_.id_ope).Binary2(dictionary_.source_field, &link_.reference);
  });
  if (!source) return source.error();
  source_ = std::move(*source);
  return {};
}

void DictionaryLinks::OpenIfReadable(const source::tables::TableLayout& layout) {
  source_ = SourceTable::OpenIfReadable(context_, layout, [&](SourceTable& table) {
    table.Binary4("id_ope", &link_.id_ope).Binary2(dictionary_.source_field, &link_.reference);
  });
}

void DictionaryLinks::Convert(engine::Table& target, std::string_view document_field,
                              const run::TranslationTable& documents) {
  if (!source_) {
    context_.progress.TableStart(target.table_name(), 0);
    ReportTable(context_, target);
    return;
  }
  run::SharedTranslationTable& dictionary = context_.tables().*dictionary_.identifiers;
  source_->ForEachRecord(target, [&](std::uint32_t) {
    if (!run::IsDosKeySet(link_.id_ope)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const bool blank = link_.reference == kBlankReference;
    if (blank && blanks_ == BlankReference::kLeaveOut) {
      return run::Skipped(run::SkipReason::kBlankReference);
    }
    target.Append();
    SetReference(context_, target, document_field, documents, link_.id_ope);
    if (!blank) {
      target.SetText(dictionary_.target_field, dictionary.GetOrAssignReference(link_.reference));
    }
    target.Post();
    return run::kWritten;
  });
  ReportTable(context_, target);
}

void DictionaryLinks::LeaveUnread(engine::Table& target) {
  context_.progress.GroupStep();
  ReportTable(context_, target);
}

}  // namespace konwerter::convert
