#include "run/prechecks.h"

#include <filesystem>
#include <system_error>

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "run/index_catalogue.h"
#include "run/messages.h"
#include "run/run_context.h"
#include "source/memory_file.h"
#include "source/source_table_slot.h"

namespace konwerter::run {

namespace {

constexpr std::uint32_t kSourceReadAhead = 32000;

// Replaces the value of the first entry named `name`, when there is one.
void Replace(std::vector<std::string>& entries, std::string_view name, std::string_view value) {
  for (std::string& entry : entries) {
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
        entry[name.size()] == '=') {
      entry = std::string(name) + "=" + std::string(value);
      return;
    }
  }
}

void NormaliseSiteSettings(std::vector<std::string>& settings) {
  std::string commune = source::ValueOf(settings, "DOM_GMNR");
  if (!commune.empty()) {
    if (commune.size() < 3) commune.insert(0, 3 - commune.size(), '0');
    Replace(settings, "DOM_GMNR", commune);
  }
  const std::string outside = source::ValueOf(settings, "DOM_OSWYK");
  if (!outside.empty())
    Replace(settings, "DOM_OSWYK", outside == "W" || outside == "w" ? "1" : "0");
}

// Warnings for what a memory file had wrong.
void ReportMemoryFaults(const std::string& path, const std::vector<std::string>& lines,
                        const source::MemoryFileFaults& faults, RunReport* report) {
  if (report == nullptr) return;
  const std::string file = platform::HostForm(path);
  if (lines.empty()) report->Warn({WarningKind::kMemoryFileEmpty, file});
  if (faults.truncated) {
    report->Warn({WarningKind::kMemoryFileTruncated, file, lines.size()});
  }
  if (faults.names_with_equals > 0) {
    report->Warn({WarningKind::kMemoryNamesWithEquals, file,
                  static_cast<std::uint64_t>(faults.names_with_equals)});
  }
}

// CR and LF in a setting's value become spaces; true when there were any.
bool ReplaceLineBreaks(std::vector<std::string>& settings) {
  bool replaced = false;
  for (std::string& entry : settings) {
    for (char& c : entry) {
      if (c == '\r' || c == '\n') {
        c = ' ';
        replaced = true;
      }
    }
  }
  return replaced;
}

// The failure of a table an index's look-up cannot be built from: missing, unreadable, or
// lacking a field of the key.
Failure KeyTableFailure(const RunContext& context, std::string_view variable,
                        const IndexKeys& keys) {
  if (!SourceFileExists(context, variable, keys.table_file)) {
    return SourceFailure(context, FailureKind::kSourceMissing, variable, keys.table_file);
  }
  source::OpenedTable opened =
      source::SourceTableSlot::Open(SourcePath(context, variable, keys.table_file));
  if (!opened.table) {
    Failure failure =
        SourceFailure(context, FailureKind::kSourceUnreadable, variable, keys.table_file);
    failure.fault =
        opened.fault ? opened.fault : source::TableFault{source::TableFaultKind::kCannotOpen};
    return failure;
  }
  Failure failure = SourceFailure(context, FailureKind::kFieldMissing, variable, keys.table_file);
  for (std::string_view field : {keys.recipe.key_field, keys.recipe.line_field}) {
    if (field.empty() || opened.table->FieldNamed(field) != nullptr) continue;
    if (!failure.detail.empty()) failure.detail += ", ";
    failure.detail += field;
  }
  return failure;
}

// Answers the index's look-ups from its table; the table's damaged records, which get no key,
// go to the record ledger.
Status UseKeysFromTable(RunContext& context, std::string_view variable, const IndexKeys& keys,
                        source::ClipperIndex& index) {
  const std::string table = SourcePath(context, variable, keys.table_file);
  std::vector<std::uint32_t> damaged;
  std::optional<source::KeyMap> map = source::BuildKeyMap(table, keys.recipe, &damaged);
  if (!map) return KeyTableFailure(context, variable, keys);
  for (const std::uint32_t record : damaged) context.ledger.DamagedRecord(table, record);
  index.UseKeyMap(std::move(*map), keys.recipe.key_size);
  return {};
}

// What makes an opened index unfit for the look-ups of its converter (`keys`, when the
// catalogue knows the index) in a table of `table_records` records; none when nothing.
source::IndexFault IndexFaultOf(source::ClipperIndex& index, const IndexKeys* keys,
                                std::uint32_t table_records) {
  if (source::IndexFault fault = index.StructureFault()) return fault;
  if (keys != nullptr && index.key_size() != keys->recipe.key_size) {
    return {source::IndexFaultKind::kKeySizeNotSought, index.key_size(), keys->recipe.key_size};
  }
  return index.CheckTree(table_records);
}

}  // namespace

void LocateSystemFolder(std::string& input_path) {
  input_path = platform::WithTrailingBackslash(input_path);
  if (platform::SourceLock::CanOpenShared(input_path + "users.dbf")) return;
  if (platform::SourceLock::CanOpenShared(input_path + "SYSTEM\\users.dbf")) {
    input_path += "SYSTEM\\";
  }
}

std::optional<platform::SourceLock> TakeSourceLock(std::string_view input_path,
                                                   platform::OperatorMessages& messages) {
  std::optional<platform::SourceLock> lock;
  const std::string path = platform::WithTrailingBackslash(input_path) + "users.dbf";
  switch (platform::SourceLock::Take(path, lock)) {
    case platform::SourceLock::Outcome::kTaken:
      return lock;
    case platform::SourceLock::Outcome::kMissing:
      messages.Show(WrongDataFolder(path));
      return std::nullopt;
    case platform::SourceLock::Outcome::kReadOnly:
      messages.Show(ReadOnlyData(path));
      return std::nullopt;
    case platform::SourceLock::Outcome::kInUse:
      messages.Show(DataInUse());
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> ReadSourceDirectoryVariables(
    std::string_view input_path, const source::CodePages& pages,
    platform::OperatorMessages& messages, RunReport* report) {
  const std::string path = platform::WithTrailingBackslash(input_path) + "bdglobal.mem";
  std::vector<std::string> entries;
  source::MemoryFileFaults faults;
  if (!source::ReadMemoryFile(path, pages, entries, &faults)) {
    messages.Show(MissingFile(path));
    return std::nullopt;
  }
  ReportMemoryFaults(path, entries, faults, report);
  for (std::string& entry : entries) {
    if (entry.empty() || entry.back() != '\\') entry += '\\';
  }
  return entries;
}

void ReadSiteSettings(std::string_view input_path, const source::CodePages& pages,
                      platform::OperatorMessages& messages, std::vector<std::string>& settings,
                      RunReport* report) {
  settings.clear();
  const std::string path = platform::WithTrailingBackslash(input_path) + "dom.mem";
  source::MemoryFileFaults faults;
  if (!source::ReadMemoryFile(path, pages, settings, &faults)) {
    messages.Show(MissingFile(path));
    if (report != nullptr) {
      report->Warn({WarningKind::kSiteSettingsMissing, platform::HostForm(path)});
    }
    return;
  }
  ReportMemoryFaults(path, settings, faults, report);
  if (ReplaceLineBreaks(settings) && report != nullptr) {
    report->Warn({WarningKind::kSiteSettingsLineBreaks, platform::HostForm(path)});
  }
  NormaliseSiteSettings(settings);
}

std::string SourcePath(const RunContext& context, std::string_view variable,
                       std::string_view file_name) {
  return context.directories.Folder(variable) + std::string(file_name);
}

Failure SourceFailure(const RunContext& context, FailureKind kind, std::string_view variable,
                      std::string_view file_name) {
  Failure failure;
  failure.kind = kind;
  failure.variable = std::string(variable);
  failure.given_path = context.directories.Value(variable) + std::string(file_name);
  failure.host_path = platform::HostForm(SourcePath(context, variable, file_name));
  failure.searched_elsewhere =
      context.directories.Folder(variable) != context.directories.Value(variable);
  failure.variable_known = context.directories.Has(variable);
  return failure;
}

bool SourceFileExists(const SourceDirectories& directories, std::string_view variable,
                      std::string_view file_name) {
  if (!directories.Has(variable)) return false;
  std::error_code error;
  return std::filesystem::exists(
      platform::HostPath(directories.Folder(variable) + std::string(file_name)), error);
}

bool SourceFileExists(const RunContext& context, std::string_view variable,
                      std::string_view file_name) {
  return SourceFileExists(context.directories, variable, file_name);
}

Result<std::optional<source::TableHandle>> OpenOptionalSourceTable(RunContext& context,
                                                                   std::string_view variable,
                                                                   std::string_view file_name) {
  const std::string path = SourcePath(context, variable, file_name);
  source::SourceTables& tables = context.source_tables;
  if (!SourceFileExists(context, variable, file_name)) return std::optional<source::TableHandle>{};
  const source::TableHandle table = tables.Open(path);
  if (table == 0 || tables.status() != source::kSourceOk) {
    if (table != 0) tables.Close(table);
    Failure failure = SourceFailure(context, FailureKind::kSourceUnreadable, variable, file_name);
    failure.fault = tables.last_open_fault();
    if (!failure.fault) failure.fault = {source::TableFaultKind::kCannotOpen};
    return failure;
  }
  if (const source::ShortTable& short_table = tables.last_short_table(); short_table.header_count) {
    context.report.Warn({WarningKind::kRecordCountBeyondFile, platform::HostForm(path),
                         short_table.header_count, short_table.whole_records});
  }
  tables.SetReadAhead(table, kSourceReadAhead);
  return std::optional<source::TableHandle>{table};
}

Result<source::TableHandle> OpenSourceTable(RunContext& context, std::string_view variable,
                                            std::string_view file_name) {
  Result<std::optional<source::TableHandle>> opened =
      OpenOptionalSourceTable(context, variable, file_name);
  if (!opened) return opened.error();
  if (!*opened) return SourceFailure(context, FailureKind::kSourceMissing, variable, file_name);
  return **opened;
}

Status OpenSourceIndex(RunContext& context, std::string_view variable, std::string_view file_name,
                       std::uint32_t table_records, source::ClipperIndex& index) {
  const std::optional<IndexKeys> keys = FindIndexKeys(file_name);
  const bool known = keys && context.directories.Has(variable);
  if (context.options.rebuild_indexes && known) {
    return UseKeysFromTable(context, variable, *keys, index);
  }
  if (!SourceFileExists(context, variable, file_name)) {
    return SourceFailure(context, FailureKind::kIndexMissing, variable, file_name);
  }
  index.Open(SourcePath(context, variable, file_name));
  index.set_fail_on_damage(true);
  if (index.status() == source::kIndexCannotOpen) {
    Failure failure = SourceFailure(context, FailureKind::kIndexUnreadable, variable, file_name);
    failure.detail = TableFaultText({source::TableFaultKind::kCannotOpen});
    return failure;
  }
  const source::IndexFault fault = IndexFaultOf(index, keys ? &*keys : nullptr, table_records);
  if (!fault) return {};
  index.Close();
  if (!known) {
    Failure failure = SourceFailure(context, FailureKind::kIndexUnreadable, variable, file_name);
    failure.detail = IndexFaultText(fault);
    return failure;
  }
  if (Status built = UseKeysFromTable(context, variable, *keys, index); !built) return built;
  context.report.Warn({WarningKind::kIndexRebuilt,
                       platform::HostForm(SourcePath(context, variable, file_name)), 0, 0,
                       IndexFaultText(fault)});
  return {};
}

}  // namespace konwerter::run
