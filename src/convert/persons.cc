#include "convert/persons.h"

#include <cstdint>
#include <string>

#include "convert/converter_toolkit.h"
#include "convert/polish_name_set.h"
#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "run/prechecks.h"
#include "source/clipper_index.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDGOSOBY";
constexpr std::string_view kZeroPesel = "          0";
constexpr std::size_t kLocalityWidth = 25;
constexpr std::size_t kFirstNameWidth = 26;  // the first name with its space
constexpr std::size_t kShortNameWidth = 56;

// One record of osoby.dbf as the reader fills it.
struct Person {
  std::uint32_t id = 0;
  std::uint8_t o = 0;
  std::string nazwa, kod, nr_d, nr_l, nr_p, rodzaj_o, nip, konto, uprawnieni;
  std::uint16_t imie_1 = 0, id_g = 0, id_m = 0, id_u = 0;
};

// A dictionary table (gmina, miejsc, ulice, imiona) read by record number.
struct Dictionary {
  std::optional<SourceTable> table;
  std::string nazwa;
  std::string file;  // as the host names it, for the ledger and the warnings
};

class PersonsConverter {
 public:
  PersonsConverter(run::RunContext& context, bool delete_unlinked)
      : context_(context), delete_unlinked_(delete_unlinked) {}

  run::Status Run();

 private:
  run::Status OpenSources();
  run::Status OpenDictionary(const source::tables::TableLayout& layout, Dictionary& dictionary);
  std::string Resolve(Dictionary& dictionary, std::uint16_t reference, std::string_view field);
  void FillStreetSet();
  void WritePerson(engine::Table& osoby, const std::string& identifier);
  void WriteAddress(engine::Table& osoby);
  std::pair<std::string, std::string> NameLines();
  void WriteName(engine::Table& osoby);
  void WriteNames(engine::Table& table, const PolishNameSet& names);

  run::RunContext& context_;
  const bool delete_unlinked_;
  std::optional<SourceTable> osoby_, nazwy_;
  Dictionary gmina_, miejsc_, imiona_, ulice_;
  source::ClipperIndex nazwy_index_;
  std::string index_file_;   // nazwy.ntx as the host names it
  std::string target_path_;  // Osoby.dbf
  Person person_;
  std::uint32_t line_owner_ = 0;
  std::string line_;
  PolishNameSet streets_, localities_;
};

run::Status PersonsConverter::OpenDictionary(const source::tables::TableLayout& layout,
                                             Dictionary& dictionary) {
  auto table = SourceTable::Open(
      context_, layout, [&](SourceTable& source) { source.Text("nazwa", &dictionary.nazwa); });
  if (!table) return table.error();
  dictionary.file = platform::HostForm(table->path());
  dictionary.table = std::move(*table);
  return {};
}

run::Status PersonsConverter::OpenSources() {
  Person& p = person_;
  auto osoby = SourceTable::Open(context_, source::tables::kOsoby, [&](SourceTable& table) {
    table.Binary4("id", &p.id)
        .Key()
        .Byte("o", &p.o)
        .Text("nazwa", &p.nazwa)
        .Binary2("imie_1", &p.imie_1)
        .Binary2("id_g", &p.id_g)
        .Binary2("id_m", &p.id_m)
        .Binary2("id_u", &p.id_u)
        .Text("kod", &p.kod)
        .Text("nr_d", &p.nr_d)
        .Text("nr_l", &p.nr_l)
        .Text("nr_p", &p.nr_p)
        .Text("rodzaj_o", &p.rodzaj_o)
        .Text("nip", &p.nip)
        .Text("konto", &p.konto)
        .Text("uprawnieni", &p.uprawnieni);
  });
  if (!osoby) return osoby.error();
  osoby_ = std::move(*osoby);
  namespace tables = source::tables;
  for (const auto& [layout, dictionary] : {std::pair{&tables::kGmina, &gmina_},
                                           {&tables::kMiejsc, &miejsc_},
                                           {&tables::kImiona, &imiona_},
                                           {&tables::kUlice, &ulice_}}) {
    if (run::Status opened = OpenDictionary(*layout, *dictionary); !opened) return opened;
  }
  // Name lines are read with their full width, so that a name wrapped over two lines keeps
  // its spaces.
  auto nazwy = SourceTable::Open(context_, source::tables::kNazwy, [&](SourceTable& table) {
    table.Binary4("ID_OS", &line_owner_).UntrimmedText("nazwa", &line_);
  });
  if (!nazwy) return nazwy.error();
  nazwy_ = std::move(*nazwy);
  index_file_ = platform::HostForm(run::SourcePath(context_, kVariable, "nazwy.ntx"));
  return run::OpenSourceIndex(context_, kVariable, "nazwy.ntx", nazwy_->HeaderRecordCount(),
                              nazwy_index_);
}

// The name of a dictionary entry by its 1-based record number; empty beyond the last one,
// which the ledger records for the target field, and for a damaged entry, which it records
// as the dictionary's damage.
std::string PersonsConverter::Resolve(Dictionary& dictionary, std::uint16_t reference,
                                      std::string_view field) {
  dictionary.nazwa.clear();
  if (dictionary.table->ReadRecordAt(reference) == SourceTable::RecordAt::kBeyondTable) {
    context_.ledger.Altered(target_path_, run::ValueChange::kReferenceBeyondTable, field,
                            std::to_string(reference), {}, dictionary.file);
  }
  return dictionary.nazwa;
}

void PersonsConverter::FillStreetSet() {
  ulice_.table->ForEachRecordQuietly([&](std::uint32_t) {
    if (!ulice_.nazwa.empty()) streets_.Add(ulice_.nazwa);
  });
}

// Name lines 1-4 of the person, found through nazwy.ntx by the person's key and the line
// number. An entry that leads to another person's line is stale: the line is left out. A
// damaged line, or one the file lost at its end, is nazwy.dbf's damage, said as such: the
// line is left out.
std::pair<std::string, std::string> PersonsConverter::NameLines() {
  std::string first, second;
  const std::string key = KeyBytes(person_.id);
  for (char number = 1; number <= 4; ++number) {
    const source::SeekResult found = nazwy_index_.Seek(key + number);
    if (!found.found) continue;
    line_.clear();
    const std::uint32_t record = static_cast<std::uint32_t>(found.record) + 1;
    if (nazwy_->ReadRecordAt(record) != SourceTable::RecordAt::kRead) continue;
    const std::string_view field = number <= 2 ? "Nazwa1" : "Nazwa2";
    if (line_owner_ != person_.id) {
      context_.ledger.Altered(target_path_, run::ValueChange::kIndexEntryStale, field,
                              std::to_string(number), {}, index_file_);
      continue;
    }
    (number <= 2 ? first : second) += line_;
  }
  return {TrimRight(std::move(first)), TrimRight(std::move(second))};
}

void PersonsConverter::WriteName(engine::Table& osoby) {
  auto [first, second] = NameLines();
  const std::string first_name = run::IsReferenceSet(person_.imie_1)
                                     ? Resolve(imiona_, person_.imie_1, "Nazwa1")
                                     : std::string();
  const std::string prefix = Cut(first_name + " ", kFirstNameWidth);
  if (first.empty() && second.empty()) {
    first = person_.o == 1 ? person_.nazwa : Cut(prefix + person_.nazwa, kShortNameWidth);
  } else if (person_.o != 1) {
    first = prefix + first;
  }
  osoby.SetText("Nazwa1", first);
  osoby.SetText("Nazwa2", second);
}

void PersonsConverter::WriteAddress(engine::Table& osoby) {
  std::string street, place;
  if (run::IsReferenceSet(person_.id_u)) street = Resolve(ulice_, person_.id_u, "Ulica");
  if (run::IsReferenceSet(person_.id_g)) place = Resolve(gmina_, person_.id_g, "Miejsc");
  if (run::IsReferenceSet(person_.id_m)) {
    const std::string locality = Resolve(miejsc_, person_.id_m, "Miejsc");
    if (!locality.empty()) {
      const std::string name = Cut(platform::ToUpperCp1250(locality), kLocalityWidth);
      if (street.empty()) {
        street = name;
        streets_.Add(name);
      } else {
        place = name;
      }
    }
  }
  if (!place.empty()) localities_.Add(platform::ToUpperCp1250(place));
  osoby.SetText("Ulica", street);
  osoby.SetText("Miejsc", place);
}

void PersonsConverter::WritePerson(engine::Table& osoby, const std::string& identifier) {
  osoby.Append();
  osoby.SetText("Id_osoby", identifier);
  osoby.SetText("klucz", person_.nazwa);
  WriteName(osoby);
  if (!person_.kod.empty()) {
    const std::string& kod = person_.kod;
    osoby.SetText("Kod", kod.substr(0, 2) + "-" + (kod.size() > 2 ? kod.substr(2, 3) : ""));
  }
  osoby.SetText("Nr_dl", person_.nr_l.empty() ? person_.nr_d : person_.nr_d + "/" + person_.nr_l);
  if (person_.nr_p != kZeroPesel) osoby.SetText("Pesel", person_.nr_p);
  osoby.SetText("Rodzaj", platform::ToUpperCp1250(person_.rodzaj_o));
  osoby.SetText("Nip", person_.nip);
  osoby.SetText("Konto", person_.konto);
  osoby.SetText("Uprawnieni", person_.uprawnieni);
  osoby.SetText("Id_tworz", context_.creator_identifier);
  WriteAddress(osoby);
  osoby.Post();
}

void PersonsConverter::WriteNames(engine::Table& table, const PolishNameSet& names) {
  context_.progress.TableStart(table.table_name(), static_cast<std::uint32_t>(names.size()));
  for (const std::string& name : names.Names()) {
    context_.progress.RecordStep();
    table.Append();
    table.SetText("Nazwa", name);
    table.Post();
  }
}

run::Status PersonsConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "OSOBY");
  SourceTablesScope scope(context_);
  if (run::Status opened = OpenSources(); !opened) return opened;

  namespace tables = target::tables;
  auto ulice = CreateTargetTable(context_, folder, tables::kOsobyUlice);
  FillStreetSet();
  auto miejsc = CreateTargetTable(context_, folder, tables::kOsobyMiejsc);
  auto osoby = CreateTargetTable(context_, folder, tables::kOsobyOsoby);
  target_path_ = osoby->DbfPath();

  run::SharedTranslationTable& persons = context_.tables().persons;
  osoby_->ForEachRecord(*osoby, [&](std::uint32_t) {
    if (!run::IsDosKeySet(person_.id)) return run::Skipped(run::SkipReason::kKeyNotSet);
    const std::string held = persons.LookUp(person_.id);
    if (delete_unlinked_ && held.empty()) return run::Skipped(run::SkipReason::kUnlinked);
    WritePerson(*osoby, delete_unlinked_ ? held : persons.GetOrAssignKey(person_.id));
    return run::kWritten;
  });
  context_.sequence->WriteRow("OSOBY", persons.counter() + 1);
  ReportTable(context_, *osoby);

  WriteNames(*miejsc, localities_);
  ReportTable(context_, *miejsc);
  WriteNames(*ulice, streets_);
  ReportTable(context_, *ulice);

  ulice->Finish();
  miejsc->Finish();
  osoby->Finish();
  nazwy_index_.Close();
  return {};
}

}  // namespace

run::Status ConvertPersons(run::RunContext& context, bool delete_unlinked) {
  return PersonsConverter(context, delete_unlinked).Run();
}

}  // namespace konwerter::convert
