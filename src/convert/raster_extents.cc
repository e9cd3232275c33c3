#include "convert/raster_extents.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "convert/converter_toolkit.h"
#include "platform/cp1250_case.h"

namespace konwerter::convert {

namespace {

constexpr int kRows = 40;
constexpr int kColumns = 30;
constexpr int kBlock = 5;
constexpr int kGroups = kRows * kColumns / 6;

// The DOS coverage bits (six bytes, one per column of 5 x 5 sections, bit j for row j)
// repacked column by column, six cells to a character from "!" up; trailing empty groups
// are not written.
std::string PackedCoverage(std::string bits) {
  if (bits.size() < 6) bits.resize(6, ' ');
  std::array<int, kGroups> groups{};
  for (int byte = 0; byte < 6; ++byte) {
    const auto value = static_cast<std::uint8_t>(bits[static_cast<std::size_t>(byte)]);
    for (int bit = 0; bit < 8; ++bit) {
      if ((value & (1u << bit)) == 0) continue;
      for (int column = byte * kBlock; column < (byte + 1) * kBlock; ++column) {
        for (int row = bit * kBlock; row < (bit + 1) * kBlock; ++row) {
          const int number = column * kRows + row;
          groups[static_cast<std::size_t>(number / 6)] |= 1 << (number % 6);
        }
      }
    }
  }
  std::size_t used = groups.size();
  while (used > 0 && groups[used - 1] == 0) --used;
  std::string text;
  for (std::size_t i = 0; i < used; ++i) text += static_cast<char>(33 + groups[i]);
  return text;
}

}  // namespace

bool ConvertRasterExtents(run::RunContext& context, std::string_view target_folder,
                          std::string_view variable, std::string_view source_file,
                          const run::TranslationTable& documents) {
  std::optional<SourceTable> source = SourceTable::Open(context, variable, source_file);
  if (!source) return false;
  std::uint32_t id_zak = 0;
  std::string uklad, godlo, rastry;
  source->Binary4("id_zak", &id_zak)
      .Text("uklad", &uklad)
      .Text("godlo", &godlo)
      .RawText("rastry", &rastry);
  auto target = CreateTargetTable(context, target_folder, target::tables::kKmzZakrRas);
  source->ForEachRecord(target->table_name(), [&](std::uint32_t) {
    if (!run::IsDosKeySet(id_zak)) return;
    const std::string document = documents.LookUp(id_zak);
    if (document.empty()) return;
    target->Append();
    target->SetText("id_rodzica", document);
    target->SetText("uklad", platform::ToUpperCp1250(uklad));
    target->SetText("godlo", godlo);
    target->SetText("rastry", PackedCoverage(rastry));
    target->Post();
  });
  ReportTable(context, *target, source->path(), source->RecordCount());
  target->Close();
  return true;
}

}  // namespace konwerter::convert
