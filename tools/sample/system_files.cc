// SYSTEM: the files the pre-checks read before anything else.

#include <string>
#include <vector>

#include "source/table_catalogue.h"
#include "tools/dos/mem_writer.h"
#include "tools/dos/polskie_lit_writer.h"
#include "tools/sample/cp852_text.h"
#include "tools/sample/site_domains.h"

namespace konwerter::tools::sample {

namespace {

void WriteUsers(SiteContext& site) {
  SampleTable users(site.files, source::tables::kUsers);
  const auto user = [&](std::string_view name, std::string password, std::string rights, int state,
                        bool deleted) {
    users.Add({{"NAZWA", Cp852(name)},
               {"HASLO", std::move(password)},
               {"PRAWA", std::move(rights)},
               {"STAN", Whole(state, 2)}},
              deleted);
  };
  user("ADMINISTRATOR", "\x9A\x8B\x7F\x41", "SSSSSSSSSSSSSSSSSSSS", 1, false);
  user("Bożena Łętowska", "\x81\x7E\x92\x40", "SSSSNNNNSSSSNNNNSSSS", 0, false);
  user("Józef Wójcik", "\x73\x9C\x42\x40", "NNSSNNNNSSSSNNNNNNNN", 0, false);
  user("Stanisław Kęsek", "\x74\x8B\x7F\x41", "NNNNNNNNSSSSNNNNNNNN", 0, true);
  users.Finish();
}

void WriteDirectoryVariables(SiteContext& site) {
  std::vector<MemVariable> variables;
  for (const SiteFolderInfo& folder : SiteFolders()) {
    if (folder.variable.empty()) continue;
    variables.push_back(
        MemVariable::Character(std::string(folder.variable), std::string(folder.dos_path)));
  }
  // Variables of the DOS edition that no conversion step reads, pointing nowhere here.
  variables.push_back(MemVariable::Character("BDTEMP", "C:\\TEMP\\"));
  variables.push_back(MemVariable::Numeric("BDSTAN", 3));
  const auto path = site.files.PathOf(SiteFolder::kSystem, "bdglobal.mem");
  WriteMemFile(path, variables);
  site.files.Note(path, SampleFileKind::kMemoryFile, variables.size());
}

void WriteSiteSettings(SiteContext& site) {
  // Clipper keeps 10 characters of a variable name, so the VAT switch is saved under a
  // shortened name, as the DOS edition's own SAVE TO writes it.
  const std::vector<MemVariable> variables{
      MemVariable::Numeric("DOM_NRWOJ", 12),
      MemVariable::Character("DOM_POWNAZ", Cp852("nowosądecki")),
      MemVariable::Character("DOM_POWNR", "10"),
      MemVariable::Character("DOM_GMNAZ", Cp852("Łącko")),
      MemVariable::Numeric("DOM_GMNR", 7),
      MemVariable::Character("DOM_FILIA", "NS"),
      MemVariable::Numeric("DOM_ILDNI", 30),
      MemVariable::Logical("DOM_WYPROB", true),
      MemVariable::Logical("DOM_KOLEJN", false),
      MemVariable::Logical("DOM_4ROK", true),
      MemVariable::Character("DOM_NADOPE", "T"),
      MemVariable::Logical("DOM_JESTVA", true),
      MemVariable::Logical("DOM_LDODS", true),
      MemVariable::Numeric("DOM_PRODS", 0.0003),
      MemVariable::Numeric("DOM_TWODS", 14),
      MemVariable::Logical("DOM_ZBKP", false),
      MemVariable::Logical("DOM_DZAPL", true),
      MemVariable::Logical("DOM_WARNKP", true),
      MemVariable::Character("DOM_OSWYK", "w"),
      MemVariable::Date("DOM_DATA", ClipperDayNumber(2004, 12, 31)),
      MemVariable::Character("DOM_NAZWA", Cp852("Powiatowy Ośrodek Dokumentacji Geodezyjnej")),
  };
  const auto path = site.files.PathOf(SiteFolder::kSystem, "dom.mem");
  WriteMemFile(path, variables);
  site.files.Note(path, SampleFileKind::kMemoryFile, variables.size());
}

}  // namespace

void WriteSystemFiles(SiteContext& site) {
  WriteUsers(site);
  WriteDirectoryVariables(site);
  WriteSiteSettings(site);
  // The site's text is in code page 852, and its letter file says so.
  const auto letters = site.files.PathOf(SiteFolder::kSystem, "polskie.lit");
  WritePolskieLit(letters, kPolskieLitCp852);
  site.files.Note(letters, SampleFileKind::kOther, 0);
}

}  // namespace konwerter::tools::sample
