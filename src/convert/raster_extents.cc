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

using Grid = std::array<bool, kRows * kColumns>;  // row-major: row * 30 + column

Grid GridOfDosBits(std::string_view dos_bits) {
  std::string bytes(dos_bits);
  if (bytes.size() < kDosColumns) bytes.resize(kDosColumns, ' ');
  Grid grid{};
  for (int byte = 0; byte < kDosColumns; ++byte) {
    const auto value = static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(byte)]);
    for (int bit = 0; bit < kDosRows; ++bit) {
      if ((value & (1u << bit)) == 0) continue;
      for (int row = kBlock * bit; row < kBlock * (bit + 1); ++row) {
        for (int column = kBlock * byte; column < kBlock * (byte + 1); ++column) {
          grid[static_cast<std::size_t>(row * kColumns + column)] = true;
        }
      }
    }
  }
  return grid;
}

std::string PackedGrid(const Grid& grid) {
  std::array<int, kChars> groups{};
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      if (!grid[static_cast<std::size_t>(row * kColumns + column)]) continue;
      const int number = column * kRows + row;
      groups[static_cast<std::size_t>(number / kCellsPerChar)] |= 1 << (number % kCellsPerChar);
    }
  }
  std::string packed;
  for (const int group : groups) packed.push_back(static_cast<char>(kEmptyChar + group));
  while (!packed.empty() && packed.back() == kEmptyChar) packed.pop_back();
  return packed;
}

}  // namespace

std::string PackedCoverage(std::string_view dos_bits) {
  return PackedGrid(GridOfDosBits(dos_bits));
}

bool ConvertRasterExtents(run::RunContext& context, std::string_view target_folder,
                          std::string_view variable, std::string_view source_file,
                          const run::TranslationTable& documents) {
  auto source = SourceTable::Open(context, variable, source_file);
  if (!source) return false;
  std::uint32_t id_zak = 0;
  std::string uklad, godlo, rastry;
  source->Binary4("id_zak", &id_zak)
      .Text("uklad", &uklad)
      .Text("godlo", &godlo)
      .RawText("rastry", &rastry);

  auto zakr_ras = CreateTargetTable(context, target_folder, target::tables::kKmzZakrRas);
  source->ForEachRecord(zakr_ras->table_name(), [&](std::uint32_t) {
    if (!run::IsDosKeySet(id_zak)) return;
    const std::string document = documents.LookUp(id_zak);
    if (document.empty()) return;  // a document the register converter did not convert
    zakr_ras->Append();
    zakr_ras->SetText("id_rodzica", document);
    zakr_ras->SetText("uklad", platform::ToUpperCp1250(uklad));
    zakr_ras->SetText("godlo", godlo);
    zakr_ras->SetText("rastry", PackedCoverage(rastry));
    zakr_ras->Post();
  });
  ReportTable(context, *zakr_ras, source->path(), source->RecordCount());
  zakr_ras->Close();
  source->Close();
  return true;
}

}  // namespace konwerter::convert
