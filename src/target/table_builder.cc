#include "target/table_builder.h"

#include <optional>
#include <vector>

#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/real_path.h"
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
  Build(engine::Table& table, std::string_view schema, std::string_view index_definitions)
      : table_(table),
        schema_(ParseTableSchema(schema)),
        indexes_(ParseIndexDefinitions(index_definitions)) {}

  BuilderResult Run(const BuilderOptions& options);

 private:
  void Open();
  void Create();
  void BuildIndexes(bool with_schema);

  engine::Table& table_;
  std::vector<SchemaItem> schema_;
  std::vector<IndexItem> indexes_;
  BuilderResult result_;
};

// A missing folder is created, a missing table created with its indexes; an existing table
// whose production index cannot be read, or that has none while the definitions name
// some, gets its indexes built; then the fields are checked against the schema.
BuilderResult Build::Run(const BuilderOptions& options) {
  CheckTableFolder(table_);
  RemoveTableFiles(table_, options);
  if (options.exclusive_open) table_.set_exclusive(true);
  if (!platform::FolderExists(table_.folder())) platform::CreateFolders(table_.folder());
  if (!platform::FileExists(table_.DbfPath())) {
    Create();
  } else if (table_.DeclaredIndexUnreadable()) {
    BuildIndexes(/*with_schema=*/true);
  }
  Open();
  if (!result_.indexes_built && table_.index_definitions().empty() && !indexes_.empty()) {
    table_.Finish();
    BuildIndexes(/*with_schema=*/true);
    Open();
  }
  if (RestructureIfNeeded(table_, schema_)) result_.restructured = true;
  if (!table_.index_definitions().empty()) {
    table_.SetCurrentIndex(table_.index_definitions().front().name);
  }
  return result_;
}

// Opens the table. A unique tag that holds a key twice does not keep the table closed: it is
// used as it stands, and the caller is asked to tell the operator.
void Build::Open() {
  try {
    table_.Open();
  } catch (const EngineError& error) {
    if (error.code() != EngineErrorCode::kKeyViolation) throw;
    result_.keys_repeat = true;
    table_.Open();
  }
}

void Build::Create() {
  std::vector<engine::FieldDescriptor> fields;
  fields.reserve(schema_.size());
  for (const SchemaItem& item : schema_) fields.push_back(FieldFor(item));
  engine::CreateTable(table_.engine(), table_.folder(), table_.table_name(), fields);
  result_.created = true;
  BuildIndexes(/*with_schema=*/false);
}

// REQUIRES: the table is closed; called at most once per call of the builder.
void Build::BuildIndexes(bool with_schema) {
  PatchHeader(table_);
  if (with_schema) RestructureIfNeeded(table_, schema_);
  for (const IndexItem& index : indexes_) table_.AddIndex(index.tag, index.key, index.expression);
  result_.indexes_built = true;
}

}  // namespace

void ConfigureEngine(engine::Engine& engine, bool /*save*/) {
  engine.SetDriverParameter("LANGDRIVER", "db852po0");
  engine.SetDriverParameter("LEVEL", "5");
}

BuilderResult OpenTargetTable(engine::Table& table, std::string_view schema,
                              std::string_view index_definitions, BuilderOptions options) {
  return Build(table, schema, index_definitions).Run(options);
}

}  // namespace konwerter::target
