#include "run/table_sizing.h"

#include "run/prechecks.h"
#include "run/run_context.h"

namespace konwerter::run {

namespace {

constexpr std::uint32_t kSpareSlots = 100;

// Sizes a table from a dictionary's record count; false when the dictionary cannot be opened.
bool SizeFrom(RunContext& context, SharedTranslationTable& table, std::string_view variable,
              std::string_view file_name, bool report) {
  const source::TableHandle handle = OpenSourceTable(context, variable, file_name, report);
  if (handle == 0) return false;
  table.Size(context.source_tables.RecordCount(handle) + kSpareSlots);
  context.source_tables.Close(handle);
  return true;
}

}  // namespace

bool SizeSharedTables(RunContext& context) {
  SharedTables& tables = context.tables();
  if (SizeFrom(context, tables.features, "BDGROBOTY", "cechy.dbf", false)) {
    context.features_present = true;
  }
  return SizeFrom(context, tables.persons, "BDGOSOBY", "osoby.dbf", true) &&
         SizeFrom(context, tables.assortments, "BDLZGLO", "asortym.dbf", true) &&
         SizeFrom(context, tables.works, "BDGROBOTY", "roboty.dbf", true) &&
         SizeFrom(context, tables.precincts, "BDGROBOTY", "obreb.dbf", true) &&
         SizeFrom(context, tables.parcels, "BDGROBOTY", "dz.dbf", true) &&
         SizeFrom(context, tables.order_assortments, "BDLZLEC", "asortym.dbf", true) &&
         SizeFrom(context, tables.services, "BDLZLEC", "obsluga.dbf", true);
}

}  // namespace konwerter::run
