#include "run/table_sizing.h"

#include "run/prechecks.h"
#include "run/run_context.h"
#include "run/source_directories.h"
#include "run/translation_table.h"
#include "source/table_catalogue.h"

namespace konwerter::run {

namespace {

// Sizes a table from a dictionary's record count.
Status SizeFrom(RunContext& context, SharedTranslationTable& table,
                const source::tables::TableLayout& dictionary) {
  Result<source::TableHandle> opened =
      OpenSourceTable(context, dictionary.variable, dictionary.file);
  if (!opened) return opened.error();
  table.Size(context.source_tables.RecordCount(*opened) + kSpareSlots);
  context.source_tables.Close(*opened);
  return {};
}

}  // namespace

source::SourceEdition SourceEditionOf(const SourceDirectories& directories) {
  const source::tables::TableLayout& features = source::tables::kCechy;
  return SourceFileExists(directories, features.variable, features.file)
             ? source::SourceEdition::kLater
             : source::SourceEdition::kEarlier;
}

Status SizeSharedTables(RunContext& context) {
  SharedTables& tables = context.tables();
  namespace dos = source::tables;
  struct Dictionary {
    SharedTranslationTable& table;
    const dos::TableLayout& layout;
  };
  const Dictionary required[] = {
      {tables.persons, dos::kOsoby},    {tables.assortments, dos::kZgloAsortym},
      {tables.works, dos::kRoboty},     {tables.precincts, dos::kObreb},
      {tables.parcels, dos::kDz},       {tables.order_assortments, dos::kZlecAsortym},
      {tables.services, dos::kObsluga},
  };
  if (context.edition == source::SourceEdition::kLater) {
    if (const Status sized = SizeFrom(context, tables.features, dos::kCechy); !sized) return sized;
  }
  for (const Dictionary& dictionary : required) {
    if (const Status sized = SizeFrom(context, dictionary.table, dictionary.layout); !sized) {
      return sized;
    }
  }
  return {};
}

}  // namespace konwerter::run
