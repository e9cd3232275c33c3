#include "tests/e2e/dos_site.h"

#include <algorithm>
#include <fstream>

#include "platform/text_encoding.h"
#include "source/table_catalogue.h"
#include "tests/e2e/orders_site.h"
#include "tests/e2e/register_site.h"
#include "tests/e2e/works_site.h"
#include "tools/dos/catalogue_table_writer.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/mem_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
namespace tables = source::tables;
using tools::CatalogueTableWriter;
using tools::sample::Cp852;

namespace {

void WriteNames(const fs::path& folder, const tables::TableLayout& layout,
                const std::vector<std::string>& names, std::string_view file_name = {}) {
  CatalogueTableWriter table(folder, layout, source::SourceEdition::kLater, file_name);
  for (const std::string& name : names) table.Add({{"NAZWA", Cp852(name)}});
}

// gmina.dbf: the communes by name, as the persons read them, with the numbers the works
// register reads left blank.
void WriteCommunes(const fs::path& folder, const std::vector<std::string>& names) {
  CatalogueTableWriter table(folder, tables::kGmina);
  for (std::size_t i = 0; i < names.size(); ++i) {
    table.Add({{"ID", tools::DosReference(static_cast<std::uint16_t>(i + 1))},
               {"NAZWA", Cp852(names[i])}});
  }
}

// A dictionary that only has to open for the run's sizing (and convert as an empty-handed
// dictionary): `count` records whose own key (the first field: a 4-byte DOS key or a 2-byte
// reference) is set, their other fields blank.
void WriteSizedTable(const fs::path& folder, const tables::TableLayout& layout, int count) {
  CatalogueTableWriter table(folder, layout);
  const tables::FieldLayout& key = layout.fields.front();
  for (int i = 1; i <= count; ++i) {
    const auto number = static_cast<std::uint32_t>(i);
    table.Add({{key.name, key.width == 2 ? tools::DosReference(static_cast<std::uint16_t>(number))
                                         : tools::DosKey(number)}});
  }
}

std::vector<tools::FieldValue> PersonValues(const DosPerson& p) {
  return {{"ID", tools::DosKey(p.id)},
          {"O", std::to_string(p.o)},
          {"NAZWA", Cp852(p.nazwa)},
          {"IMIE_1", tools::DosReference(p.imie_1)},
          {"ID_G", tools::DosReference(p.id_g)},
          {"ID_M", tools::DosReference(p.id_m)},
          {"ID_U", tools::DosReference(p.id_u)},
          {"KOD", p.kod},
          {"NR_D", Cp852(p.nr_d)},
          {"NR_L", Cp852(p.nr_l)},
          {"NR_P", p.nr_p},
          {"RODZAJ_O", Cp852(p.rodzaj_o)},
          {"NIP", p.nip},
          {"KONTO", p.konto},
          {"UPRAWNIENI", Cp852(p.uprawnieni)}};
}

// Systems "65" (built in), "1" (described, with corners) and "A" (no description); "12" is
// not a system.
void WriteCoordinateSystems(const fs::path& works, const fs::path& templates) {
  for (const char* marker : {"65.mem", "1.MEM", "A.mem", "12.mem"}) {
    tools::WriteMemFile(works / marker, {});
  }
  fs::create_directories(templates);
  std::ofstream(templates / "1.DEF", std::ios::binary) << "opis\r\n5000.4 dx\r\n4000\r\n/2\r\n"
                                                       << Cp852("ćwiartki ŁĄ") << "\r\n";
  CatalogueTableWriter corners(works, tables::kCorners, source::SourceEdition::kLater,
                               "lok_p1.dbf");
  corners.Add({{"XX", "1"}, {"YY", "2"}});
  corners.Add({{"GODLO10", "A B"}, {"XX", "5000"}, {"YY", "8000"}});
  corners.Add({{"GODLO10", "C"}, {"XX", "10000"}, {"YY", "16000"}});
}

}  // namespace

void DosSite::WritePersons(const fs::path& folder, const DosPersonsFolder& data) {
  fs::create_directories(folder);
  {
    CatalogueTableWriter osoby(folder, tables::kOsoby, source::SourceEdition::kLater, "OSOBY.DBF");
    for (const DosPerson& person : data.persons) osoby.Add(PersonValues(person), person.deleted);
  }
  WriteCommunes(folder, data.communes);
  WriteNames(folder, tables::kMiejsc, data.localities, "Miejsc.dbf");
  WriteNames(folder, tables::kUlice, data.streets);
  WriteNames(folder, tables::kImiona, data.first_names);

  CatalogueTableWriter nazwy(folder, tables::kNazwy);
  std::vector<tools::NtxEntry> keys;
  for (const DosPerson& person : data.persons) {
    for (std::size_t line = 0; line < person.name_lines.size(); ++line) {
      if (person.name_lines[line].empty()) continue;
      const std::string number(1, static_cast<char>(line + 1));
      nazwy.Add({{"ID_OS", tools::DosKey(person.id)},
                 {"LP", std::to_string(line + 1)},
                 {"NAZWA", Cp852(person.name_lines[line])}});
      keys.push_back({tools::DosKey(person.id) + number, nazwy.record_count()});
    }
  }
  nazwy.Finish();
  tools::WriteNtx(folder / "NAZWY.NTX", {5, "ID_OS+CHR(LP)"}, std::move(keys));
}

DosSite::DosSite(const DosPersonsFolder& persons, std::vector<std::string> dom) {
  fs::create_directories(system());
  CatalogueTableWriter(system(), tables::kUsers, source::SourceEdition::kLater, "USERS.DBF")
      .Add({{"NAZWA", "ADMINISTRATOR"}});
  tools::WriteMemFile(system() / "bdglobal.mem",
                      {tools::MemVariable::Character("BDGOSOBY", "F:\\TEROKAN\\GOSOBY"),
                       tools::MemVariable::Character("BDGROBOTY", "F:\\TEROKAN\\GROBOTY\\"),
                       tools::MemVariable::Character("BDLZGLO", "TEROKAN\\LZGLO\\"),
                       tools::MemVariable::Character("BDLZLEC", "F:\\TEROKAN\\LZLEC\\"),
                       tools::MemVariable::Character("BDLWZORCE", "F:\\TEROKAN\\WZORCE\\"),
                       tools::MemVariable::Character("BDGMAPAZ", "F:\\TEROKAN\\GMAPAZ\\"),
                       tools::MemVariable::Character("BDGMAPAE", "F:\\TEROKAN\\GMAPAE\\"),
                       tools::MemVariable::Character("BDGZARYSY", "F:\\TEROKAN\\GZARYSY\\"),
                       tools::MemVariable::Character("BDGOPEW", "F:\\TEROKAN\\GOPEW\\"),
                       tools::MemVariable::Character("BDGOP", "F:\\TEROKAN\\GOP\\"),
                       tools::MemVariable::Character("BDGOPP", "F:\\TEROKAN\\GOPP\\"),
                       tools::MemVariable::Character("BDGSZKICE", "F:\\TEROKAN\\GSZKICE\\"),
                       tools::MemVariable::Character("BDGWINDYK", "F:\\TEROKAN\\GWINDYK\\"),
                       tools::MemVariable::Character("BDLDRUKI", "F:\\TEROKAN\\LDRUKI\\")});
  WriteSiteSettings(dom);

  WritePersons(persons_folder(), persons);
  const fs::path works = root() / "TEROKAN" / "groboty";
  const fs::path stock = root() / "TEROKAN" / "LZGLO";
  const fs::path orders = root() / "TEROKAN" / "LZLEC";
  for (const fs::path& folder : {works, stock, orders}) fs::create_directories(folder);
  for (const tables::TableLayout* table :
       {&tables::kCechy, &tables::kRoboty, &tables::kObreb, &tables::kDz}) {
    WriteSizedTable(works, *table, 3);
  }
  WriteCoordinateSystems(works, root() / "TEROKAN" / "WZORCE");
  WriteSizedTable(stock, tables::kZgloAsortym, 3);
  WriteWorksRegister(stock, {});
  WriteSizedTable(orders, tables::kZlecAsortym, 3);
  WriteSizedTable(orders, tables::kObsluga, 3);
  WriteEmptyRegisters(*this);
  WriteOrdersDomain(*this, {});
}

void DosSite::WriteSiteSettings(const std::vector<std::string>& dom) const {
  std::vector<tools::MemVariable> dom_variables;
  for (const std::string& entry : dom) {
    const auto equals = entry.find('=');
    dom_variables.push_back(
        tools::MemVariable::Character(entry.substr(0, equals), Cp852(entry.substr(equals + 1))));
  }
  tools::WriteMemFile(system() / "DOM.MEM", dom_variables);
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> DosSite::Snapshot() const {
  return SnapshotFolder(root());
}

std::vector<std::pair<std::string, std::vector<std::uint8_t>>> SnapshotFolder(
    const fs::path& folder) {
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      files.emplace_back(fs::relative(entry.path(), folder).string(), ReadFileBytes(entry.path()));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace konwerter::testing
