#include "run/prechecks.h"

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "run/index_catalogue.h"
#include "run/messages.h"
#include "run/run_context.h"
#include "source/memory_file.h"

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
  if (lines.empty()) {
    report->AddWarning(file, platform::Cp1250FromUtf8("plik nie zawiera żadnej zmiennej"));
  }
  if (faults.truncated) {
    report->AddWarning(file, platform::Cp1250FromUtf8("plik urwany wewnątrz zmiennej; "
                                                      "odczytano zmienne przed nią: ") +
                                 std::to_string(lines.size()));
  }
  if (faults.names_with_equals > 0) {
    report->AddWarning(file, platform::Cp1250FromUtf8("nazwy zmiennych zawierające znak \"=\" "
                                                      "(odczytane z \"?\" w jego miejscu): ") +
                                 std::to_string(faults.names_with_equals));
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
      ShowMessage(messages,
                  "Błędna ścieżka dojścia do danych systemu TEROKAN. Wskaż położenie kartoteki "
                  "SYSTEM w TEROKAN.",
                  "Błąd");
      return std::nullopt;
    case platform::SourceLock::Outcome::kReadOnly:
      ShowMessage(messages,
                  "Dane systemu TEROKAN są tylko do odczytu (na przykład na płycie CD): nie "
                  "można ich zablokować na czas konwersji. Skopiuj je na dysk z prawem zapisu "
                  "i wskaż kopię. Plik: ",
                  "Błąd", platform::HostForm(path));
      return std::nullopt;
    case platform::SourceLock::Outcome::kInUse:
      ShowMessage(messages,
                  "Przed konwersją należy zakończyć pracę z systemem TEROKAN na wszyskich "
                  "stanowiskach.",
                  "Błąd");
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
    ShowMessage(messages, "Brak pliku: ", "Błąd", platform::HostForm(path));
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
    ShowMessage(messages, "Brak pliku: ", "Błąd", platform::HostForm(path));
    if (report != nullptr) {
      report->AddWarning(platform::HostForm(path),
                         platform::Cp1250FromUtf8("brak pliku; ustawienia w terokan.ini "
                                                  "pozostały puste"));
    }
    return;
  }
  ReportMemoryFaults(path, settings, faults, report);
  if (ReplaceLineBreaks(settings) && report != nullptr) {
    report->AddWarning(platform::HostForm(path),
                       platform::Cp1250FromUtf8("znaki końca wiersza w wartościach zastąpiono "
                                                "spacjami"));
  }
  NormaliseSiteSettings(settings);
}

std::string SourcePath(const RunContext& context, std::string_view variable,
                       std::string_view file_name) {
  return context.directories.Folder(variable) + std::string(file_name);
}

std::string OpenFailure(const RunContext& context, std::string_view variable,
                        std::string_view file_name, std::string_view fault) {
  std::string text = OpenFailureText(context.directories.Value(variable) + std::string(file_name));
  const std::string path = SourcePath(context, variable, file_name);
  if (context.directories.Folder(variable) != context.directories.Value(variable)) {
    text += "\r\n" + platform::Cp1250FromUtf8("Szukano pliku: ") + platform::HostForm(path);
  }
  if (!context.directories.Has(variable)) {
    text += "\r\n" + platform::Cp1250FromUtf8("Plik bdglobal.mem nie zawiera zmiennej ") +
            std::string(variable);
  }
  if (!fault.empty()) text += "\r\n" + std::string(fault);
  return text;
}

source::TableHandle OpenSourceTable(RunContext& context, std::string_view variable,
                                    std::string_view file_name, bool report) {
  const std::string path = SourcePath(context, variable, file_name);
  source::SourceTables& tables = context.source_tables;
  if (!context.directories.Has(variable)) {
    if (report) context.status.Fail(OpenFailure(context, variable, file_name, {}));
    return 0;
  }
  const source::TableHandle table = tables.Open(path);
  if (tables.status() == source::kSourceOk) {
    if (!tables.last_open_warning().empty()) {
      context.report.AddWarning(platform::HostForm(path), tables.last_open_warning());
    }
    tables.SetReadAhead(table, kSourceReadAhead);
    return table;
  }
  if (report)
    context.status.Fail(OpenFailure(context, variable, file_name, tables.last_open_fault()));
  return 0;
}

bool OpenSourceIndex(RunContext& context, std::string_view variable, std::string_view file_name,
                     source::ClipperIndex& index, bool report) {
  const std::string path = SourcePath(context, variable, file_name);
  const std::optional<IndexKeys> keys = FindIndexKeys(file_name);
  if (context.options.rebuild_indexes && keys && context.directories.Has(variable)) {
    // The look-up is built from the table the index belongs to; the .ntx is never read.
    std::optional<source::KeyMap> map =
        source::BuildKeyMap(SourcePath(context, variable, keys->table_file), keys->recipe);
    if (map) {
      index.UseKeyMap(std::move(*map), keys->recipe.key_size);
      return true;
    }
    if (report) context.status.Fail(OpenFailure(context, variable, keys->table_file, {}));
    return false;
  }
  std::string fault;
  if (context.directories.Has(variable)) {
    index.Open(path);
    index.set_fail_on_damage(true);
    fault = index.StructureFault();
    if (index.status() != source::kIndexCannotOpen && fault.empty()) return true;
    if (!fault.empty()) {
      fault += platform::Cp1250FromUtf8(
          "; indeks można pominąć opcją --rebuild-indexes (wyszukiwanie zbudowane z tabeli)");
    }
  }
  if (report) context.status.Fail(OpenFailure(context, variable, file_name, fault));
  index.Close();
  return false;
}

}  // namespace konwerter::run
