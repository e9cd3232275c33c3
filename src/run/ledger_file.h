#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/file.h"
#include "run/record_ledger.h"

namespace konwerter::run {

// The record ledger as a file an operator opens in a spreadsheet: UTF-8 with a byte-order
// mark, fields separated by ";", one header row in Polish, then one row per skipped record
// and per altered value as the run meets them. Paths as the host names them.
class LedgerFile final : public LedgerSink {
 public:
  // Creates (or empties) the file at a program path and writes its header row. Throws
  // IoError when it cannot.
  explicit LedgerFile(std::string_view path);
  LedgerFile(const LedgerFile&) = delete;
  LedgerFile& operator=(const LedgerFile&) = delete;
  ~LedgerFile() override;

  void Write(const LedgerRow& row) override;
  // Writes what is buffered and closes the file. Throws IoError when that fails.
  void Close();

 private:
  void Flush();

  // A program path as the host names it (UTF-8), found once per path: the rows of a table
  // name the same few files over and over.
  const std::string& HostName(const std::string& program_path);

  platform::File file_;
  std::string path_;
  std::string buffer_;
  std::unordered_map<std::string, std::string> host_names_;
  bool closed_ = false;
};

// One ledger row as the file holds it, without its line end (UTF-8), with its paths already
// as the host names them.
std::string LedgerLine(const LedgerRow& row, std::string_view source_file,
                       std::string_view target_table);

}  // namespace konwerter::run
