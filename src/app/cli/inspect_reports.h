#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>

namespace konwerter::cli {

// What `inspect` was asked to do.
struct InspectOptions {
  std::string path;  // program path (cp1250) of the file
  bool json = false;
  bool raw = false;                      // tables: every field as hex
  std::optional<int> code_page;          // source page 0..6; detected when absent
  std::optional<std::string> seek_key;   // indexes: key bytes to look up
  std::optional<std::size_t> row_limit;  // tables: show at most this many records
};

// A file the readers refuse or find damaged; the text (UTF-8, Polish) is for the operator.
class InspectError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A summary of one file: the document to print, and a fault found along the way that
// makes the exit code non-zero (the document is printed all the same).
struct InspectReport {
  nlohmann::json document;
  std::optional<std::string> problem;
};

// Each throws InspectError when the file cannot be read at all.
InspectReport InspectTable(const InspectOptions& options);
InspectReport InspectIndex(const InspectOptions& options);
InspectReport InspectMemoryFile(const InspectOptions& options);
InspectReport InspectLetterFile(const InspectOptions& options);

// The source code page for a file: the one asked for, else the one `polskie.lit` beside
// the file names (code page 852 when there is none).
int SourceCodePageFor(const InspectOptions& options);
// The folder part of a program path, with its separator; empty for a bare name.
std::string FolderOf(const std::string& path);

// The readable form of each document.
std::string DescribeTable(const nlohmann::json& document);
std::string DescribeIndex(const nlohmann::json& document);
std::string DescribeMemoryFile(const nlohmann::json& document);
std::string DescribeLetterFile(const nlohmann::json& document);

}  // namespace konwerter::cli
