#include "convert/target_tables.h"

#include <algorithm>

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "run/messages.h"
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
  const target::BuilderResult built =
      target::OpenTargetTable(*table, schema, index_definitions, {.remove_data_files = true});
  if (built.keys_repeat) context.operator_requests.push_back(run::KeysRepeat());
  return table;
}

std::unique_ptr<engine::Table> CreateTargetTable(run::RunContext& context, std::string_view folder,
                                                 const target::tables::TableStrings& strings) {
  return CreateTargetTable(context, folder, strings.table, strings.schema, strings.indexes);
}

void ReportTable(run::RunContext& context, const engine::Table& table) {
  run::RecordLedger& ledger = context.ledger;
  const std::string path = table.DbfPath();
  const bool walked = std::any_of(ledger.accounts().begin(), ledger.accounts().end(),
                                  [&](const auto& account) { return account.target_path == path; });
  if (!walked) ledger.OpenAccount(path, {});
  ledger.SetTargetRecords(path, table.RecordCount());
}

}  // namespace konwerter::convert
