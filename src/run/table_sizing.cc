#include "run/table_sizing.h"

#include "run/prechecks.h"
#include "run/run_context.h"

namespace konwerter::run {

namespace {

constexpr std::uint32_t kSpareSlots = 100;

// Sizes a table from a dictionary's record count, when the dictionary is there.
Result<bool> SizeFrom(RunContext& context, SharedTranslationTable& table, std::string_view variable,
                      std::string_view file_name, bool required) {
  Result<std::optional<source::TableHandle>> opened =
      OpenOptionalSourceTable(context, variable, file_name);
  if (!opened) return opened.error();
  if (!*opened) {
    if (required) return SourceFailure(context, FailureKind::kSourceMissing, variable, file_name);
    return false;
  }
  table.Size(context.source_tables.RecordCount(**opened) + kSpareSlots);
  context.source_tables.Close(**opened);
  return true;
}

}  // namespace

Result<SourceEdition> SizeSharedTables(RunContext& context) {
  SharedTables& tables = context.tables();
  const Result<bool> features = SizeFrom(context, tables.features, "BDGROBOTY", "cechy.dbf", false);
  if (!features) return features.error();
  struct Dictionary {
    SharedTranslationTable& table;
    std::string_view variable;
    std::string_view file;
  };
  const Dictionary required[] = {
      {tables.persons, "BDGOSOBY", "osoby.dbf"},
      {tables.assortments, "BDLZGLO", "asortym.dbf"},
      {tables.works, "BDGROBOTY", "roboty.dbf"},
      {tables.precincts, "BDGROBOTY", "obreb.dbf"},
      {tables.parcels, "BDGROBOTY", "dz.dbf"},
      {tables.order_assortments, "BDLZLEC", "asortym.dbf"},
      {tables.services, "BDLZLEC", "obsluga.dbf"},
  };
  for (const Dictionary& dictionary : required) {
    const Result<bool> sized =
        SizeFrom(context, dictionary.table, dictionary.variable, dictionary.file, true);
    if (!sized) return sized.error();
  }
  return *features ? SourceEdition::kLater : SourceEdition::kEarlier;
}

}  // namespace konwerter::run
