#include "run/ledger_file.h"

#include <exception>
#include <span>

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"

namespace konwerter::run {

namespace {

constexpr std::size_t kFlushAt = 1 << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeader =
    "plik źródłowy;numer rekordu;klucz;tabela wynikowa;zdarzenie;kod przyczyny;przyczyna;pole;"
    "wartość źródłowa;wartość zapisana";

// A field of a ";"-separated line, quoted when it holds a separator, a quote or a line end.
void AppendField(std::string& line, std::string_view utf8) {
  if (!line.empty()) line += ';';
  if (utf8.find_first_of(";\"\r\n") == std::string_view::npos) {
    line += utf8;
    return;
  }
  line += '"';
  for (const char c : utf8) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

std::string HostText(std::string_view program_path) {
  return program_path.empty() ? std::string()
                              : platform::Utf8FromCp1250(platform::HostForm(program_path));
}

std::string ReasonText(const LedgerRow& row) {
  std::string text =
      row.event == LedgerEvent::kSkipped ? SkipText(row.skip) : ChangeText(row.change);
  if (!row.detail.empty()) text += " (" + row.detail + ")";
  return platform::Utf8FromCp1250(text);
}

}  // namespace

std::string LedgerLine(const LedgerRow& row) {
  using platform::Utf8FromCp1250;
  std::string line;
  const bool skipped = row.event == LedgerEvent::kSkipped;
  AppendField(line, HostText(row.source_file));
  AppendField(line, row.record == 0 ? std::string() : std::to_string(row.record));
  AppendField(line, Utf8FromCp1250(row.key));
  AppendField(line, HostText(row.target_table));
  AppendField(line, skipped ? "pominięty" : "zmieniony");
  AppendField(line, skipped ? SkipCode(row.skip) : ChangeCode(row.change));
  AppendField(line, ReasonText(row));
  AppendField(line, Utf8FromCp1250(row.field));
  AppendField(line, Utf8FromCp1250(row.source_value));
  AppendField(line, Utf8FromCp1250(row.written_value));
  return line;
}

LedgerFile::LedgerFile(std::string_view path)
    : file_(platform::File::Create(platform::HostPath(path))), path_(path) {
  buffer_.append(kByteOrderMark);
  buffer_.append(kHeader);
  buffer_.append("\r\n");
}

LedgerFile::~LedgerFile() {
  if (closed_) return;
  try {
    Close();
  } catch (const std::exception&) {
    // A destructor cannot report; a run that ends normally closes the file itself.
  }
}

void LedgerFile::Write(const LedgerRow& row) {
  buffer_ += LedgerLine(row);
  buffer_ += "\r\n";
  if (buffer_.size() >= kFlushAt) Flush();
}

void LedgerFile::Flush() {
  file_.Write(std::span(reinterpret_cast<const std::uint8_t*>(buffer_.data()), buffer_.size()));
  buffer_.clear();
}

void LedgerFile::Close() {
  if (closed_) return;
  closed_ = true;
  Flush();
  if (!file_.Close()) throw platform::IoError("Nie można zamknąć pliku", HostText(path_));
}

}  // namespace konwerter::run
