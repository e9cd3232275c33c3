#pragma once

// Independent readers of the DOS files, written by others, that the tests hold our writers
// and readers against. Each wraps a script of this folder run with the system interpreter.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace konwerter::testing {

// ---------------------------------------------------------------------------------------
// dBase tables, read by Python's dbfread (dbf_oracle.py).

struct DbfOracleField {
  std::string name;
  char type = 'C';
  int length = 0;
  int decimal_count = 0;
};

struct DbfOracleRecord {
  std::vector<std::string> raw;  // the bytes of each field, as stored
  // With an encoding: each field's value as dbfread decodes it, rendered as text (C the
  // decoded text in UTF-8, N the number, D "YYYY-MM-DD", L "true"/"false"); nullopt where
  // dbfread gives None. Empty without an encoding.
  std::vector<std::optional<std::string>> values;
};

struct DbfOracleTable {
  int version = 0;
  int year = 0;  // the header's date bytes as stored
  int month = 0;
  int day = 0;
  std::uint32_t record_count = 0;  // as the header says; dbfread itself reads up to 1A
  int header_length = 0;
  int record_length = 0;
  int language_driver = 0;
  std::vector<DbfOracleField> fields;
  // dbfread keeps live and deleted records apart; each list is in file order.
  std::vector<DbfOracleRecord> live_records;
  std::vector<DbfOracleRecord> deleted_records;
};

// Reads the table with dbfread. `encoding` is a Python codec name (e.g. "cp852"); when
// given, the records also carry decoded values. Throws std::runtime_error with dbfread's
// message when it cannot read the table.
DbfOracleTable ReadDbfWithDbfread(const std::filesystem::path& path,
                                  const std::string& encoding = "");

// The live records of a target table as dbfread decodes them in code page 852, one text per
// field, "" for a blank one.
using DbfRows = std::vector<std::vector<std::string>>;
DbfRows LiveRowsWithDbfread(const std::filesystem::path& path);

// ---------------------------------------------------------------------------------------
// Clipper .ntx indexes, read by Perl's XBase::Index (ntx_oracle.pl).

struct NtxOracleKey {
  std::string key;  // the key bytes as stored (key size bytes)
  std::uint32_t record = 0;

  friend bool operator==(const NtxOracleKey&, const NtxOracleKey&) = default;
};

// Walks the index with XBase::Index (prepare_select, then fetch until the end) and returns
// every entry in the order it is returned. The file name must end in ".ntx".
// Throws std::runtime_error with XBase::Index's message when it cannot read the index.
std::vector<NtxOracleKey> ReadNtxWithXBase(const std::filesystem::path& path);

// ---------------------------------------------------------------------------------------
// dBase IV/5 production .mdx indexes, read by Perl's XBase::Index (mdx_oracle.pl).

struct MdxOracleTag {
  std::string name;
  char key_type = 'C';  // as the tag's header block says
  int key_length = 0;
  std::vector<NtxOracleKey> keys;  // every entry, in the order XBase::Index returns them
};

// Lists the tags of the index with XBase::Index (in its order: sorted by name) and walks
// each one (prepare_select, then fetch until the end). The file name must end in ".mdx".
// Throws std::runtime_error with XBase::Index's message when it cannot read the index.
std::vector<MdxOracleTag> ReadMdxWithXBase(const std::filesystem::path& path);

}  // namespace konwerter::testing
