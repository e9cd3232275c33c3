#pragma once

#include <string>
#include <string_view>

namespace konwerter::engine {

// The program paths of a table's files: the folder with a backslash appended when missing,
// then the table name; ".dbf" is added when the name has no extension, and the index and
// memo files replace the extension.
struct TablePaths {
  std::string folder;
  std::string dbf;
  std::string mdx;
  std::string dbt;
};

TablePaths PathsOf(std::string_view folder, std::string_view table_name);

// Checks that the table's folder exists and its .dbf too. Throws EngineError
// kInvalidDirectory or kNoSuchTable naming the table.
void RequireTableFile(const TablePaths& paths);

// Checks only the folder (for a table about to be created). Throws kInvalidDirectory.
void RequireFolder(const TablePaths& paths);

}  // namespace konwerter::engine
