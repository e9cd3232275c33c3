#include "convert/raster_extents.h"

#include <array>
#include <cstdint>

#include "convert/converter_toolkit.h"
#include "platform/cp1250_case.h"

namespace konwerter::convert {

namespace {

constexpr int kRows = 40;
constexpr int kColumns = 30;
constexpr int kBlock = 5;       // a DOS section covers 5 x 5 cells of the grid
constexpr int kDosColumns = 6;  // bytes of the DOS coverage bits
constexpr int kDosRows = 8;     // bits of each byte
constexpr int kCellsPerChar = 6;
constexpr int kChars = kRows * kColumns / kCellsPerChar;  // 200
constexpr char kEmptyChar = 33;                           // "!"
constexpr int kWordBits = 64;

// The grid's 1200 cells in their packing order (cell number column * 40 + row), 64 to a word.
using Cells = std::array<std::uint64_t, (kRows * kColumns + kWordBits - 1) / kWordBits>;

// The rows one DOS byte covers in each of its grid columns: bit j covers rows 5j to 5j + 4.
std::uint64_t CoveredRows(std::uint8_t byte) {
  std::uint64_t rows = 0;
  for (int bit = 0; bit < kDosRows; ++bit) {
    if ((byte & (1u << bit)) != 0) rows |= std::uint64_t{0x1F} << (kBlock * bit);
  }
  return rows;
}

Cells CellsOfDosBits(std::string_view dos_bits) {
  std::string bytes(dos_bits);
  if (bytes.size() < kDosColumns) bytes.resize(kDosColumns, ' ');
  Cells cells{};
  for (int column = 0; column < kColumns; ++column) {
    const auto byte = static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(column / kBlock)]);
    const std::uint64_t rows = CoveredRows(byte);
    const int first = column * kRows;  // the cell number of the column's row 0
    const auto word = static_cast<std::size_t>(first / kWordBits);
    const int shift = first % kWordBits;
    cells[word] |= rows << shift;
    if (shift + kRows > kWordBits) cells[word + 1] |= rows >> (kWordBits - shift);
  }
  return cells;
}

// Six cells to a character, code 33 plus their bit values; trailing empty characters left out.
std::string Packed(const Cells& cells) {
  std::string packed(kChars, kEmptyChar);
  for (int group = 0; group < kChars; ++group) {
    const int first = group * kCellsPerChar;
    const auto word = static_cast<std::size_t>(first / kWordBits);
    const int shift = first % kWordBits;
    std::uint64_t bits = cells[word] >> shift;
    if (shift + kCellsPerChar > kWordBits) bits |= cells[word + 1] << (kWordBits - shift);
    packed[static_cast<std::size_t>(group)] = static_cast<char>(kEmptyChar + (bits & 0x3F));
  }
  while (!packed.empty() && packed.back() == kEmptyChar) packed.pop_back();
  return packed;
}

}  // namespace

std::string PackedCoverage(std::string_view dos_bits) {
  return Packed(CellsOfDosBits(dos_bits));
}

run::Status ConvertRasterExtents(run::RunContext& context, std::string_view target_folder,
                                 const source::tables::TableLayout& source_table,
                                 const run::TranslationTable& documents) {
  std::uint32_t id_zak = 0;
  std::string uklad, godlo, rastry;
  auto source = SourceTable::Open(context, source_table, [&](SourceTable& table) {
    table.Binary4("id_zak", &id_zak)
        .Text("uklad", &uklad)
        .Text("godlo", &godlo)
        .RawText("rastry", &rastry);
  });
  if (!source) return source.error();

  auto zakr_ras = CreateTargetTable(context, target_folder, target::tables::kKmzZakrRas);
  source->ForEachRecord(*zakr_ras, [&](std::uint32_t) {
    if (!run::IsDosKeySet(id_zak)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string document = documents.LookUp(id_zak);
    if (document.empty()) return run::Skipped(run::SkipReason::kOwnerNotWritten);
    zakr_ras->Append();
    zakr_ras->SetText("id_rodzica", document);
    zakr_ras->SetText("uklad", platform::ToUpperCp1250(uklad));
    zakr_ras->SetText("godlo", godlo);
    zakr_ras->SetText("rastry", PackedCoverage(rastry));
    zakr_ras->Post();
    return run::kWritten;
  });
  ReportTable(context, *zakr_ras);
  zakr_ras->Finish();
  source->Close();
  return {};
}

}  // namespace konwerter::convert
