#include "convert/target_tables.h"

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "target/table_builder.h"

namespace konwerter::convert {

std::string MakeTargetFolder(run::RunContext& context, std::string_view group) {
  std::string folder = context.output_path + "BAZA\\" + std::string(group);
  platform::CreateFolders(folder);
  return folder;
}

std::unique_ptr<engine::Table> CreateTargetTable(run::RunContext& context, std::string_view folder,
                                                 std::string_view table_name,
                                                 std::string_view schema,
                                                 std::string_view index_definitions) {
  auto table = std::make_unique<engine::Table>(context.engine(), std::string(folder),
                                               std::string(table_name));
  target::OpenTargetTable(*table, schema, index_definitions, {.remove_data_files = true},
                          context.messages);
  return table;
}

std::unique_ptr<engine::Table> CreateTargetTable(run::RunContext& context, std::string_view folder,
                                                 const target::tables::TableStrings& strings) {
  return CreateTargetTable(context, folder, strings.table, strings.schema, strings.indexes);
}

void ReportTable(run::RunContext& context, const engine::Table& table, std::string source_path,
                 std::uint64_t records_read, std::uint64_t records_written) {
  const auto skipped = context.report.skipped.find(table.DbfPath());
  context.report.tables.push_back({table.DbfPath(), std::move(source_path), records_read,
                                   records_written,
                                   skipped == context.report.skipped.end() ? 0 : skipped->second});
}

void ReportTable(run::RunContext& context, const engine::Table& table, std::string source_path,
                 std::uint64_t records_read) {
  ReportTable(context, table, std::move(source_path), records_read, table.RecordCount());
}

}  // namespace konwerter::convert
