#include "target/table_builder.h"

#include <optional>
#include <vector>

#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/real_path.h"
#include "platform/text_encoding.h"
#include "target/engine/engine_error.h"
#include "target/restructure.h"
#include "target/schema_string.h"

namespace konwerter::target {

namespace {

using engine::EngineError;
using engine::EngineErrorCode;

// Language driver byte of the Polish cp852 driver, and where the header keeps it.
constexpr std::uint64_t kProductionIndexFlagOffset = 28;
constexpr std::uint8_t kPolishLanguageDriver = 0x23;

// Marks the table as having no production index yet and sets its language driver, before
// the indexes are added. A failure here is of no consequence and is ignored.
void PatchHeader(const engine::Table& table) {
  auto file = platform::File::OpenExisting(platform::HostPath(table.DbfPath()),
                                           platform::File::Access::kReadWrite);
  if (!file) return;
  const std::uint8_t bytes[] = {0x00, kPolishLanguageDriver};
  try {
    file->WriteAt(kProductionIndexFlagOffset, bytes);
  } catch (const platform::IoError&) {
  }
}

// Target tables live in BAZA\<group>\ under the output folder. A link standing there (a
// group folder that leads into the DOS data, say) must not take the builder's deletions and
// writes out of the output folder: the real folder must lie inside the output folder.
void CheckTableFolder(const engine::Table& table) {
  const std::string folder = platform::WithTrailingBackslash(table.folder());
  const std::string upper = platform::ToUpperCp1250(folder);
  std::size_t base = upper.rfind("\\BAZA\\");
  if (base == std::string::npos) base = upper.rfind("/BAZA\\");
  if (base == std::string::npos) return;
  const std::string output = folder.substr(0, base + 1);
  if (!platform::LiesWithin(folder, output)) {
    throw platform::IoError(platform::IoFault::kOutsideOutput, platform::HostPath(folder).string());
  }
}

void RemoveTableFiles(const engine::Table& table, const BuilderOptions& options) {
  if (options.remove_data_files) {
    platform::RemoveFile(table.DbfPath());
    platform::RemoveFile(table.DbtPath());
    platform::RemoveFile(table.MdxPath());
  } else if (options.remove_index_file) {
    platform::RemoveFile(table.MdxPath());
  }
}

// One call of OpenTargetTable: the strings, the once-per-call guards and the result.
class Build {
 public:
  Build(engine::Table& table, std::string_view schema, std::string_view index_definitions,
        platform::OperatorMessages& messages)
      : table_(table),
        schema_(ParseTableSchema(schema)),
        indexes_(ParseIndexDefinitions(index_definitions)),
        messages_(messages) {}

  BuilderResult Run(const BuilderOptions& options);

 private:
  bool OpenOnce();
  bool Recover(const EngineError& error);
  void OpenIfClosed() {
    if (!table_.is_open()) table_.Open();
  }
  bool CreateOnce();
  bool BuildIndexesOnce(bool with_schema);
  void ShowKeyViolation();

  engine::Table& table_;
  std::vector<SchemaItem> schema_;
  std::vector<IndexItem> indexes_;
  platform::OperatorMessages& messages_;
  BuilderResult result_;
  bool created_ = false;
  bool indexes_built_ = false;
};

BuilderResult Build::Run(const BuilderOptions& options) {
  CheckTableFolder(table_);
  RemoveTableFiles(table_, options);
  if (options.exclusive_open) table_.set_exclusive(true);
  while (OpenOnce()) {
  }
  if (RestructureIfNeeded(table_, schema_)) result_.restructured = true;
  if (!table_.index_definitions().empty()) {
    table_.SetCurrentIndex(table_.index_definitions().front().name);
  }
  return result_;
}

// One pass of the open loop; true when another pass is wanted.
bool Build::OpenOnce() {
  bool retry = false;
  try {
    table_.RefreshIndexDefinitions();
    OpenIfClosed();
  } catch (const EngineError& error) {
    retry = Recover(error);
    if (!retry) throw;
  }
  if (!retry && table_.is_open() && table_.index_definitions().empty() && !indexes_.empty() &&
      !indexes_built_) {
    table_.Close();
    BuildIndexesOnce(true);
    retry = true;
  }
  return retry;
}

// Mends what the engine reported; true when the open should be tried again.
bool Build::Recover(const EngineError& error) {
  switch (error.code()) {
    case EngineErrorCode::kInvalidDirectory: {
      platform::CreateFolders(table_.folder());
      const bool created = CreateOnce();
      OpenIfClosed();
      return created;
    }
    case EngineErrorCode::kNoSuchTable: {
      const bool created = CreateOnce();
      OpenIfClosed();
      return created;
    }
    case EngineErrorCode::kNoSuchIndex:
      table_.Close();
      return BuildIndexesOnce(true);
    case EngineErrorCode::kKeyViolation:
      OpenIfClosed();
      ShowKeyViolation();
      return table_.is_open();
    case EngineErrorCode::kOther:
      return false;
  }
  return false;
}

bool Build::CreateOnce() {
  if (created_) return false;
  created_ = true;
  std::vector<engine::FieldDescriptor> fields;
  fields.reserve(schema_.size());
  for (const SchemaItem& item : schema_) fields.push_back(FieldFor(item));
  engine::CreateTable(table_.engine(), table_.folder(), table_.table_name(), fields);
  result_.created = true;
  BuildIndexesOnce(false);
  return true;
}

bool Build::BuildIndexesOnce(bool with_schema) {
  if (indexes_built_) return false;
  indexes_built_ = true;
  PatchHeader(table_);
  if (with_schema) RestructureIfNeeded(table_, schema_);
  for (const IndexItem& index : indexes_) table_.AddIndex(index.tag, index.key, index.expression);
  result_.indexes_built = true;
  return true;
}

void Build::ShowKeyViolation() {
  messages_.Show({platform::Cp1250FromUtf8(
                      "Nie można utworzyć klucza Kod+IdRek. Dalsza praca w takim stanie "
                      "umożliwia wstawianie danych jednak bez kontroli. Najlepiej usunąć "
                      "rekordy, których klucze się powtarzają i ponownie uruchomić program"),
                  platform::Cp1250FromUtf8("Błąd podczas tworzenia indeksu")});
}

}  // namespace

void ConfigureEngine(engine::Engine& engine, bool /*save*/) {
  engine.SetDriverParameter("LANGDRIVER", "db852po0");
  engine.SetDriverParameter("LEVEL", "5");
}

BuilderResult OpenTargetTable(engine::Table& table, std::string_view schema,
                              std::string_view index_definitions, BuilderOptions options,
                              platform::OperatorMessages& messages) {
  return Build(table, schema, index_definitions, messages).Run(options);
}

}  // namespace konwerter::target
