#include "tests/e2e/dos_site.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "platform/text_encoding.h"
#include "tests/e2e/orders_site.h"
#include "tests/e2e/register_site.h"
#include "tests/e2e/works_site.h"
#include "tools/dos/dos_table_writer.h"
#include "tools/dos/mem_writer.h"
#include "tools/dos/ntx_writer.h"
#include "tools/sample/cp852_text.h"

namespace konwerter::testing {

namespace fs = std::filesystem;
using tools::DosField;
using tools::DosTableWriter;
using tools::sample::Cp852;

namespace {

void WriteNames(const fs::path& path, const std::vector<std::string>& names) {
  DosTableWriter table(path, {{"NAZWA", 'C', 30}});
  for (const std::string& name : names) table.Add({Cp852(name)});
}

// gmina.dbf: the communes by name, as the persons read them, with the numbers the works
// register reads left blank.
void WriteCommunes(const fs::path& path, const std::vector<std::string>& names) {
  DosTableWriter table(path,
                       {{"ID", 'C', 2}, {"NR_W", 'N', 2}, {"NR_G", 'N', 3}, {"NAZWA", 'C', 30}});
  for (std::size_t i = 0; i < names.size(); ++i) {
    table.Add({tools::DosReference(static_cast<std::uint16_t>(i + 1)), "", "", Cp852(names[i])});
  }
}

// The fields of a dictionary that a test site holds only to size the run's tables: the
// dictionary's own key first, then every field its converter reads.
struct SizedTable {
  std::string_view file;
  bool reference_key;  // a 2-byte dictionary reference; otherwise a 4-byte DOS key
  std::vector<tools::DosField> fields;
};

const SizedTable& SizedTableFor(const fs::path& path) {
  static const std::vector<SizedTable> tables = {
      {"asortym.dbf", true, {{"ID_ASORT", 'C', 2}, {"ASORT", 'C', 2}, {"NAZWA_A", 'C', 60}}},
      {"obsluga.dbf", true, {{"ID_OBSLUGA", 'C', 2}, {"OBSLUGA", 'C', 2}, {"NAZW_IMIE", 'C', 30}}},
      {"cechy.dbf", true, {{"ID_CECHY", 'C', 2}, {"CECHA", 'C', 2}, {"NAZ_CECHY", 'C', 60}}},
      {"roboty.dbf",
       false,
       {{"ID_KERG", 'C', 4},
        {"JEDN_SEG", 'C', 4},
        {"NR_PORZ", 'N', 5},
        {"ROK", 'N', 4},
        {"LP", 'N', 4},
        {"INNA_NAZWA", 'C', 20},
        {"JESTWKERGU", 'L', 1}}},
      {"obreb.dbf",
       false,
       {{"ID_OBR", 'C', 4},
        {"NR_G", 'C', 5},
        {"NR_OBR", 'C', 4},
        {"NAZWA", 'C', 30},
        {"KOD_OBR", 'C', 2}}},
      {"dz.dbf",
       false,
       {{"ID_DZIALKI", 'C', 4},
        {"ID_OBREBU", 'C', 4},
        {"L_DZIALKI", 'N', 6},
        {"M_DZIALKI", 'N', 4},
        {"NR_ARKUSZA", 'N', 3}}},
  };
  static const SizedTable users{"users.dbf", false, {{"ID", 'C', 4}}};
  const std::string name = path.filename().string();
  for (const SizedTable& table : tables) {
    if (std::equal(name.begin(), name.end(), table.file.begin(), table.file.end(),
                   [](char a, char b) {
                     return std::tolower(static_cast<unsigned char>(a)) ==
                            std::tolower(static_cast<unsigned char>(b));
                   })) {
      return table;
    }
  }
  return users;
}

// A table that only has to open for the run's sizing (and convert as an empty-handed
// dictionary): `count` records whose own key is set, their other fields blank.
void WriteSizedTable(const fs::path& path, int count) {
  const SizedTable& sized = SizedTableFor(path);
  DosTableWriter table(path, sized.fields);
  for (int i = 1; i <= count; ++i) {
    std::vector<std::string> values(sized.fields.size());
    const auto number = static_cast<std::uint32_t>(i);
    values[0] = sized.reference_key ? tools::DosReference(static_cast<std::uint16_t>(number))
                                    : tools::DosKey(number);
    table.Add(values);
  }
}

std::vector<std::string> PersonValues(const DosPerson& p) {
  return {tools::DosKey(p.id),
          std::to_string(p.o),
          Cp852(p.nazwa),
          tools::DosReference(p.imie_1),
          tools::DosReference(p.id_g),
          tools::DosReference(p.id_m),
          tools::DosReference(p.id_u),
          p.kod,
          Cp852(p.nr_d),
          Cp852(p.nr_l),
          p.nr_p,
          Cp852(p.rodzaj_o),
          p.nip,
          p.konto,
          Cp852(p.uprawnieni)};
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
  DosTableWriter corners(works / "lok_p1.dbf",
                         {{"GODLO10", 'C', 10}, {"XX", 'C', 7}, {"YY", 'C', 7}});
  corners.Add({"", "1", "2"});
  corners.Add({"A B", "5000", "8000"});
  corners.Add({"C", "10000", "16000"});
}

}  // namespace

void DosSite::WritePersons(const fs::path& folder, const DosPersonsFolder& data) {
  fs::create_directories(folder);
  {
    DosTableWriter osoby(folder / "OSOBY.DBF", {{"ID", 'C', 4},
                                                {"O", 'N', 1},
                                                {"NAZWA", 'C', 30},
                                                {"IMIE_1", 'C', 2},
                                                {"ID_G", 'C', 2},
                                                {"ID_M", 'C', 2},
                                                {"ID_U", 'C', 2},
                                                {"KOD", 'C', 5},
                                                {"NR_D", 'C', 6},
                                                {"NR_L", 'C', 4},
                                                {"NR_P", 'C', 11},
                                                {"RODZAJ_O", 'C', 1},
                                                {"NIP", 'C', 13},
                                                {"KONTO", 'C', 10},
                                                {"UPRAWNIENI", 'C', 25}});
    for (const DosPerson& person : data.persons) osoby.Add(PersonValues(person), person.deleted);
  }
  WriteCommunes(folder / "gmina.dbf", data.communes);
  WriteNames(folder / "Miejsc.dbf", data.localities);
  WriteNames(folder / "ulice.dbf", data.streets);
  WriteNames(folder / "imiona.dbf", data.first_names);

  DosTableWriter nazwy(folder / "nazwy.dbf",
                       {{"ID_OS", 'C', 4}, {"LP", 'N', 1}, {"NAZWA", 'C', 30}});
  std::vector<tools::NtxEntry> keys;
  for (const DosPerson& person : data.persons) {
    for (std::size_t line = 0; line < person.name_lines.size(); ++line) {
      if (person.name_lines[line].empty()) continue;
      const std::string number(1, static_cast<char>(line + 1));
      nazwy.Add(
          {tools::DosKey(person.id), std::to_string(line + 1), Cp852(person.name_lines[line])});
      keys.push_back({tools::DosKey(person.id) + number, nazwy.record_count()});
    }
  }
  nazwy.Finish();
  tools::WriteNtx(folder / "NAZWY.NTX", {5, "ID_OS+CHR(LP)"}, std::move(keys));
}

DosSite::DosSite(const DosPersonsFolder& persons, std::vector<std::string> dom) {
  fs::create_directories(system());
  WriteSizedTable(system() / "USERS.DBF", 1);
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
  std::vector<tools::MemVariable> dom_variables;
  for (const std::string& entry : dom) {
    const auto equals = entry.find('=');
    dom_variables.push_back(
        tools::MemVariable::Character(entry.substr(0, equals), Cp852(entry.substr(equals + 1))));
  }
  tools::WriteMemFile(system() / "DOM.MEM", dom_variables);

  WritePersons(persons_folder(), persons);
  const fs::path works = root() / "TEROKAN" / "groboty";
  const fs::path stock = root() / "TEROKAN" / "LZGLO";
  const fs::path orders = root() / "TEROKAN" / "LZLEC";
  for (const fs::path& folder : {works, stock, orders}) fs::create_directories(folder);
  for (const char* table : {"cechy.dbf", "roboty.dbf", "obreb.dbf", "dz.dbf"}) {
    WriteSizedTable(works / table, 3);
  }
  WriteCoordinateSystems(works, root() / "TEROKAN" / "WZORCE");
  WriteSizedTable(stock / "asortym.dbf", 3);
  WriteWorksRegister(stock, {});
  WriteSizedTable(orders / "asortym.dbf", 3);
  WriteSizedTable(orders / "obsluga.dbf", 3);
  WriteEmptyRegisters(*this);
  WriteOrdersDomain(*this, {});
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

platform::MessageAnswer ScriptedMessages::Show(const platform::OperatorMessage& message) {
  shown.push_back(message);
  if (message.buttons == platform::MessageButtons::kOk) return platform::MessageAnswer::kOk;
  if (answers_.empty()) return platform::MessageAnswer::kNo;
  const platform::MessageAnswer answer = answers_.front();
  answers_.erase(answers_.begin());
  return answer;
}

std::vector<std::string> ScriptedMessages::Texts() const {
  std::vector<std::string> texts;
  for (const platform::OperatorMessage& message : shown) {
    texts.push_back(platform::Utf8FromCp1250(message.text));
  }
  return texts;
}

}  // namespace konwerter::testing
