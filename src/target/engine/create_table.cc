// CreateTable and RestructureTable: the two operations that write a table file whole.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/dbf_layout.h"
#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/file_system.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "target/engine/dbf_file.h"
#include "target/engine/dbf_header.h"
#include "target/engine/engine.h"
#include "target/engine/failure.h"
#include "target/engine/field_value.h"
#include "target/engine/number_text.h"
#include "target/engine/open_table.h"
#include "target/engine/table.h"
#include "target/engine/table_paths.h"

namespace konwerter::engine {

namespace {

// The extension of the file a restructure writes before it replaces the table.
constexpr std::string_view kRestructureExtension = ".$$$";

bool HasMemo(const RecordLayout& layout) {
  return std::any_of(layout.fields().begin(), layout.fields().end(),
                     [](const FieldDescriptor& field) { return field.type == FieldType::kMemo; });
}

std::string BaseNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  const std::string_view name =
      separator == std::string_view::npos ? path : path.substr(separator + 1);
  return std::string(name.substr(0, name.find_last_of('.')));
}

// An empty .dbt: block 0 says block 1 is the next free one.
void CreateMemoFile(const TablePaths& paths) {
  std::vector<std::uint8_t> block(dbf::memo::kBlockSize, 0);
  platform::StoreU32(block, dbf::memo::kNextFreeBlockOffset, 1);
  const std::string base = UpperAscii(BaseNameOf(paths.dbf));
  std::copy_n(base.begin(), std::min(base.size(), dbf::memo::kBaseNameSize),
              block.begin() + dbf::memo::kBaseNameOffset);
  const std::uint8_t version[] = {0x00, 0x00, 0x02, 0x01};
  std::copy(std::begin(version), std::end(version), block.begin() + dbf::memo::kVersionOffset);
  platform::StoreU16(block, dbf::memo::kBlockSizeOffset,
                     static_cast<std::uint16_t>(dbf::memo::kBlockSize));
  platform::File file = platform::File::Create(platform::HostPath(paths.dbt));
  file.Write(block);
  if (!file.Close()) throw platform::IoError(platform::IoFault::kClose, paths.dbt);
}

// A file that is removed when the object goes away unless it was kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!kept_) platform::RemoveFile(path_);
  }
  const std::string& path() const { return path_; }
  // Moves the file over `target`. Throws platform::IoError when the system refuses.
  void ReplaceFile(const std::string& target) {
    std::error_code error;
    std::filesystem::rename(platform::HostPath(path_), platform::HostPath(target), error);
    if (error) throw platform::IoError(platform::IoFault::kReplace, target);
    kept_ = true;
  }

 private:
  std::string path_;
  bool kept_ = false;
};

// The value of a kept field in its new form: numbers re-formatted to the new width and
// decimals (false when one no longer fits), other values carried as their text.
bool CarryValue(const FieldDescriptor& from, std::span<const std::uint8_t> value,
                const FieldDescriptor& to, std::span<std::uint8_t> out) {
  StoreNull(out);
  if (IsBlank(value)) return true;
  if (from.type == FieldType::kNumeric && to.type == FieldType::kNumeric) {
    const auto number = ParseDecimalText(AsChars(value));
    return !number || FormatFixed(*number, to.decimals, out);
  }
  std::size_t start = 0;
  if (from.type == FieldType::kNumeric) {
    while (start < value.size() && value[start] == ' ') ++start;
  }
  const auto text = value.subspan(start);
  std::copy_n(text.begin(), std::min(text.size(), out.size()), out.begin());
  return true;
}

}  // namespace

void CreateTable(Engine& engine, std::string_view folder, std::string_view table_name,
                 std::span<const FieldDescriptor> fields) {
  const TablePaths paths = PathsOf(folder, table_name);
  RequireFolder(paths);
  const std::string display = platform::Utf8FromCp1250(paths.dbf);
  RecordLayout layout(NormalizeFields(fields, display));
  platform::RemoveFile(paths.mdx);  // an index of the table this one replaces
  const bool memo = HasMemo(layout);
  DbfFile file = DbfFile::Create(paths.dbf, display, std::move(layout), engine.today());
  file.Finish(engine.today(), {});
  if (memo) CreateMemoFile(paths);
}

void RestructureTable(Engine& engine, std::string_view folder, std::string_view table_name,
                      std::span<const RestructuredField> fields) {
  const TablePaths paths = PathsOf(folder, table_name);
  OpenTable old(engine, paths);
  std::vector<FieldDescriptor> wanted;
  for (const RestructuredField& field : fields) {
    if (field.source && (*field.source < 0 || *field.source >= old.layout().field_count())) {
      Fail(EngineFault::kRestructureFieldUnknown, old.display());
    }
    wanted.push_back(field.field);
  }
  const RecordLayout layout(NormalizeFields(wanted, old.display()));
  const std::vector<TagDefinition> tags = old.tag_definitions();

  TemporaryFile temporary(paths.dbf.substr(0, paths.dbf.find_last_of('.')) +
                          std::string(kRestructureExtension));
  DbfFile target = DbfFile::Create(temporary.path(), old.display(), layout, engine.today());
  std::vector<std::uint8_t> record(layout.record_length());
  for (old.First(); !old.eof(); old.Next()) {
    const auto source = old.CurrentRecord();
    record[0] = source[0];
    for (int i = 0; i < layout.field_count(); ++i) {
      const auto out = layout.Bytes(std::span<std::uint8_t>(record), i);
      const auto& from = fields[static_cast<std::size_t>(i)].source;
      if (!from) {
        StoreNull(out);
      } else if (!CarryValue(old.layout().field(*from), old.layout().Bytes(source, *from),
                             layout.field(i), out)) {
        engine.ReportAltered(paths.dbf, ValueAlteration::kNumberTooWide, layout.field(i).name,
                             AsChars(old.layout().Bytes(source, *from)), AsChars(out));
      }
    }
    target.Append(record);
  }
  target.Finish(engine.today(), tags);
  old.Finish();
  temporary.ReplaceFile(paths.dbf);

  if (!tags.empty()) {
    OpenTable rebuilt(engine, paths);
    rebuilt.RequireIndexRebuild();
    rebuilt.Finish();
  }
}

}  // namespace konwerter::engine
