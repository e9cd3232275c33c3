// The coordinate systems the site works in: marker memory files and corner tables in the
// works folder, division descriptions in the templates folder.

#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/block_writer.h"
#include "tools/dos/mem_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/site_domains.h"

namespace konwerter::tools::sample {

namespace {

struct SystemDescription {
  std::string_view marker;      // the marker file in the works folder
  std::string_view definition;  // the description in the templates folder; "" for none
  std::string_view corners;     // the corner table; "" for none
  int dx = 0;
  int dy = 0;
};

// "65" is described by the converter itself; "12" is not a system name and is ignored.
constexpr SystemDescription kSystems[] = {
    {"65.mem", "", "", 0, 0},
    {"1.MEM", "1.def", "lok_p1.dbf", 5000, 8000},
    {"a.mem", "A.DEF", "LOK_PA.DBF", 2500, 4000},
    {"12.mem", "", "", 0, 0},
};

void WriteMarker(SiteContext& site, std::string_view file) {
  const std::vector<MemVariable> variables{
      MemVariable::Character("UKL_NAZWA", Cp852("układ ") + std::string(file.substr(0, 2))),
      MemVariable::Numeric("UKL_STREFA", 1)};
  const auto path = site.files.PathOf(SiteFolder::kWorks, file);
  WriteMemFile(path, variables);
  site.files.Note(path, SampleFileKind::kMemoryFile, variables.size());
}

void WriteDefinition(SiteContext& site, const SystemDescription& system) {
  const auto path = site.files.PathOf(SiteFolder::kTemplates, system.definition);
  const std::vector<std::string> lines{
      Cp852("Opis podziału sekcji układu ") + std::string(system.definition.substr(0, 1)),
      std::to_string(system.dx) + ".0           wymiar dx sekcji",
      std::to_string(system.dy) + "             wymiar dy sekcji",
      "/2                 " + Cp852("& podział sekcji"),
      ".                  " + Cp852("& separator oddzielający godło arkusza"),
      "1 2                " + Cp852("&1 nazwy arkuszy na które dzielimy"),
      "3 4                " + Cp852("&2 muszą być 2 linie"),
      "                   " + Cp852("& separator końcowy dla podziału /2"),
      "/                  " + Cp852("& koniec podziałów sekcji pierwotnej"),
  };
  BlockWriter out(path);
  for (const std::string& line : lines) {
    const std::string text = line + "\r\n";
    out.Append(std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  out.Close();
  site.files.Note(path, SampleFileKind::kOther, 0);
}

void WriteCorners(SiteContext& site, const SystemDescription& system) {
  SampleTable table(site.files, source::tables::kCorners, system.corners);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      const std::string emblem = std::to_string(row * 3 + column + 101);
      table.Add({{"GODLO10", system.corners == "lok_p1.dbf" ? emblem : "A " + emblem},
                 {"XX", std::to_string(5000 + row * system.dy)},
                 {"YY", std::to_string(4000 + column * system.dx)}});
    }
  }
  // An empty emblem, left out of the description.
  table.Add({{"XX", "9999999"}, {"YY", "9999999"}});
  table.Finish();
}

}  // namespace

void WriteCoordinateSystems(SiteContext& site) {
  for (const SystemDescription& system : kSystems) {
    WriteMarker(site, system.marker);
    if (!system.definition.empty()) WriteDefinition(site, system);
    if (!system.corners.empty()) WriteCorners(site, system);
  }
}

}  // namespace konwerter::tools::sample
