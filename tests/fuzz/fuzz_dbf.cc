// Feeds arbitrary bytes to the DOS table reader as a .dbf file: open, read-ahead, bind every
// field with each kind in turn, walk every record and jump about.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/io_error.h"
#include "source/source_tables.h"
#include "tests/fuzz/fuzz_file.h"

namespace {

using konwerter::source::SourceTables;

// Every kind of destination a field can be bound to.
struct Destinations {
  std::string text;
  std::uint8_t byte = 0;
  std::uint16_t word = 0;
  std::int32_t whole = 0;
  double real = 0;
  bool logical = false;
  std::uint16_t binary2 = 0;
  std::uint32_t binary4 = 0;
};

// Binds field `i` with a kind chosen by its number, so that every kind meets every layout.
void BindField(SourceTables& tables, const std::string& name, std::size_t i, Destinations& to) {
  switch (i % 9) {
    case 0:
      tables.BindText(name, &to.text, 1 + i % 40);
      break;
    case 1:
      tables.BindRawText(name, &to.text);
      break;
    case 2:
      tables.BindByte(name, &to.byte);
      break;
    case 3:
      tables.BindWord(name, &to.word);
      break;
    case 4:
      tables.BindLong(name, &to.whole);
      break;
    case 5:
      tables.BindReal(name, &to.real);
      break;
    case 6:
      tables.BindLogical(name, &to.logical);
      break;
    case 7:
      tables.BindBinary2(name, &to.binary2);
      break;
    default:
      tables.BindBinary4(name, &to.binary4);
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const konwerter::fuzz::FuzzFile file("TABELA.DBF", data, size);
  konwerter::source::CodePages pages;
  pages.source = size % 2 == 0 ? konwerter::source::kCp852Page : konwerter::source::kNoCodePage;
  SourceTables tables(pages);
  try {
    const auto table = tables.Open(file.program_path());
    if (table == 0) return 0;
    const auto info = tables.Describe(table);
    const std::size_t count = info->fields.size();
    std::vector<Destinations> destinations(count);
    for (std::size_t i = 0; i < count; ++i) {
      BindField(tables, info->fields[i].name, i, destinations[i]);
    }
    tables.SetReadAhead(table, size % 3 == 0 ? 1 : 32000);
    for (int steps = 0; steps < 2000 && !tables.AtEnd(table); ++steps) {
      tables.ReadRecord(table);
      tables.CurrentRecordDeleted(table);
      tables.NextRecord(table);
    }
    tables.GoToRecord(table, static_cast<std::int32_t>(size / 3));
    tables.ReadRecord(table);
    tables.GoToRecord(table, -1);
    tables.CloseAll();
  } catch (const konwerter::platform::IoError&) {
    // a field list past the end of the file: the reader reports it this way
  }
  return 0;
}
