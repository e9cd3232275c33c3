#include "run/table_sizing.h"

#include "run/prechecks.h"
#include "run/run_context.h"
#include "run/translation_table.h"
#include "source/table_catalogue.h"

namespace konwerter::run {

namespace {

// Sizes a table from a dictionary's record count, when the dictionary is there.
Result<bool> SizeFrom(RunContext& context, SharedTranslationTable& table,
                      const source::tables::TableLayout& dictionary, bool required) {
  Result<std::optional<source::TableHandle>> opened =
      OpenOptionalSourceTable(context, dictionary.variable, dictionary.file);
  if (!opened) return opened.error();
  if (!*opened) {
    if (required) {
      return SourceFailure(context, FailureKind::kSourceMissing, dictionary.variable,
                           dictionary.file);
    }
    return false;
  }
  table.Size(context.source_tables.RecordCount(**opened) + kSpareSlots);
  context.source_tables.Close(**opened);
  return true;
}

}  // namespace

Result<source::SourceEdition> SizeSharedTables(RunContext& context) {
  SharedTables& tables = context.tables();
  namespace dos = source::tables;
  const Result<bool> features = SizeFrom(context, tables.features, dos::kCechy, false);
  if (!features) return features.error();
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
  for (const Dictionary& dictionary : required) {
    const Result<bool> sized = SizeFrom(context, dictionary.table, dictionary.layout, true);
    if (!sized) return sized.error();
  }
  return *features ? source::SourceEdition::kLater : source::SourceEdition::kEarlier;
}

}  // namespace konwerter::run
