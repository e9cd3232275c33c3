#include "run/ledger_file.h"

#include <algorithm>
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

bool NeedsQuotes(std::string_view field) {
  return std::any_of(field.begin(), field.end(),
                     [](char c) { return c == ';' || c == '"' || c == '\r' || c == '\n'; });
}

// One ";"-separated line, its fields quoted when they hold a separator, a quote or a line
// end. Texts of the system (cp1250) become UTF-8 on the way.
class Line {
 public:
  Line() { text_.reserve(256); }

  void Field(std::string_view field, bool cp1250 = false) {
    if (!first_) text_ += ';';
    first_ = false;
    if (!NeedsQuotes(field)) {
      Append(field, cp1250);
      return;
    }
    text_ += '"';
    std::size_t start = 0;
    for (std::size_t quote = field.find('"'); quote != std::string_view::npos;
         quote = field.find('"', start)) {
      Append(field.substr(start, quote + 1 - start), cp1250);
      text_ += '"';
      start = quote + 1;
    }
    Append(field.substr(start), cp1250);
    text_ += '"';
  }

  std::string Take() { return std::move(text_); }

 private:
  void Append(std::string_view part, bool cp1250) {
    if (cp1250) {
      platform::AppendUtf8FromCp1250(text_, part);
    } else {
      text_ += part;
    }
  }

  std::string text_;
  bool first_ = true;
};

std::string HostText(std::string_view program_path) {
  return program_path.empty() ? std::string()
                              : platform::Utf8FromCp1250(platform::HostForm(program_path));
}

}  // namespace

std::string LedgerLine(const LedgerRow& row, std::string_view source_file,
                       std::string_view target_table) {
  constexpr bool kCp1250 = true;
  const bool skipped = row.event == LedgerEvent::kSkipped;
  Line line;
  line.Field(source_file);
  line.Field(row.record == 0 ? std::string() : std::to_string(row.record));
  line.Field(row.key, kCp1250);
  line.Field(target_table);
  line.Field(skipped ? "pominięty" : "zmieniony");
  line.Field(skipped ? SkipCode(row.skip) : ChangeCode(row.change));
  std::string reason(skipped ? SkipTextUtf8(row.skip) : ChangeTextUtf8(row.change));
  if (!row.detail.empty()) reason += " (" + platform::Utf8FromCp1250(row.detail) + ")";
  line.Field(reason);
  line.Field(row.field, kCp1250);
  line.Field(row.source_value, kCp1250);
  line.Field(row.written_value, kCp1250);
  return line.Take();
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

const std::string& LedgerFile::HostName(const std::string& program_path) {
  auto found = host_names_.find(program_path);
  if (found == host_names_.end()) {
    found = host_names_.emplace(program_path, HostText(program_path)).first;
  }
  return found->second;
}

void LedgerFile::Write(const LedgerRow& row) {
  buffer_ += LedgerLine(row, HostName(row.source_file), HostName(row.target_table));
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
  if (!file_.Close()) throw platform::IoError(platform::IoFault::kClose, HostText(path_));
}

}  // namespace konwerter::run
