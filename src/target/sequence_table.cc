#include "target/sequence_table.h"

#include "platform/dos_path.h"
#include "platform/file_system.h"

namespace konwerter::target {

namespace {

constexpr std::string_view kTableName = "Dostep.dbf";

}  // namespace

std::string AdminFolder(std::string_view output_folder) {
  return platform::WithTrailingBackslash(output_folder) + "BAZA\\ADMIN";
}

SequenceTable::SequenceTable(engine::Engine& engine, std::string_view output_folder) {
  const std::string folder = AdminFolder(output_folder);
  platform::CreateFolders(folder);
  table_ = std::make_unique<engine::Table>(engine, folder, std::string(kTableName));
  built_ = OpenTargetTable(*table_, kSchema, kIndexes, {.remove_data_files = true});
}

void SequenceTable::WriteRow(std::string_view name, std::int64_t next_value) {
  table_->Append();
  table_->SetText("tablename", name);
  table_->SetNumber("nextval", static_cast<double>(next_value));
  table_->Post();
  rows_.push_back({std::string(name), next_value});
}

void SequenceTable::Finish() {
  table_->Finish();
}

bool OutputHasData(engine::Engine& engine, std::string_view output_folder) {
  try {
    engine::Table table(engine, AdminFolder(output_folder), std::string(kTableName));
    table.Open();
    for (table.First(); !table.Eof(); table.Next()) {
      if (table.ReadInteger("nextval") > 1) return true;
    }
  } catch (const std::exception&) {
    // A missing or unreadable sequence table means no converted data.
  }
  return false;
}

}  // namespace konwerter::target
