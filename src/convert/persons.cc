#include "convert/persons.h"

#include <cstdint>
#include <string>

#include "convert/polish_name_set.h"
#include "convert/target_tables.h"
#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "run/prechecks.h"
#include "run/run_context.h"
#include "run/value_rules.h"
#include "source/clipper_index.h"

namespace konwerter::convert {

namespace {

constexpr std::string_view kVariable = "BDGOSOBY";
constexpr std::string_view kOsobySchema =
    "Id_osoby;c;8|klucz;c;30|Nazwa1;c;60|Nazwa2;c;60|Ulica;c;30|Nr_dl;c;11|Kod;c;6|"
    "Miejsc;c;30|Pesel;c;11|Nip;c;13|Uprawnieni;c;25|Id_tworz;c;8|Id_modyf;c;8|Rodzaj;c;1|"
    "Konto;c;10";
constexpr std::string_view kOsobyIndexes = "ID_OSOBY;ID_OSOBY|NIP;NIP|UPP_KLUCZ;UPPER(KLUCZ);exp";
constexpr std::string_view kNameSchema = "Nazwa;c;30";
constexpr std::string_view kNameIndexes = "UPP_NAZWA;UPPER(NAZWA);exp";
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
  source::TableHandle handle = 0;
  std::string nazwa;
  std::string file;  // as the host names it, for warnings
};

std::string Cut(std::string text, std::size_t width) {
  if (text.size() > width) text.resize(width);
  return text;
}

std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string KeyBytes(std::uint32_t key) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(i)] = static_cast<char>(key >> (8 * i));
  return bytes;
}

class PersonsConverter {
 public:
  PersonsConverter(run::RunContext& context, bool delete_unlinked)
      : context_(context), tables_(context.source_tables), delete_unlinked_(delete_unlinked) {}

  bool Run();

 private:
  bool OpenSources();
  std::string FolderPath(std::string_view file) const {
    return run::SourcePath(context_, kVariable, file);
  }
  source::TableHandle OpenDictionary(std::string_view file, Dictionary& dictionary);
  std::string Resolve(Dictionary& dictionary, std::uint16_t reference);
  void FillStreetSet();
  void WritePerson(engine::Table& osoby, const std::string& identifier);
  void WriteAddress(engine::Table& osoby);
  std::pair<std::string, std::string> NameLines();
  void WriteName(engine::Table& osoby);
  void WriteNames(engine::Table& table, const PolishNameSet& names);

  run::RunContext& context_;
  source::SourceTables& tables_;
  const bool delete_unlinked_;
  source::TableHandle osoby_ = 0, nazwy_ = 0;
  Dictionary gmina_, miejsc_, imiona_, ulice_;
  source::ClipperIndex nazwy_index_;
  Person person_;
  std::uint32_t line_owner_ = 0;
  std::uint64_t index_mismatches_ = 0;
  std::string line_;
  PolishNameSet streets_, localities_;
};

source::TableHandle PersonsConverter::OpenDictionary(std::string_view file,
                                                     Dictionary& dictionary) {
  dictionary.handle = run::OpenSourceTable(context_, kVariable, file, true);
  dictionary.file = platform::HostForm(FolderPath(file));
  if (dictionary.handle != 0) tables_.BindText("nazwa", &dictionary.nazwa);
  return dictionary.handle;
}

bool PersonsConverter::OpenSources() {
  osoby_ = run::OpenSourceTable(context_, kVariable, "osoby.dbf", true);
  if (osoby_ == 0) return false;
  tables_.BindBinary4("id", &person_.id);
  tables_.BindByte("o", &person_.o);
  tables_.BindText("nazwa", &person_.nazwa);
  tables_.BindBinary2("imie_1", &person_.imie_1);
  tables_.BindBinary2("id_g", &person_.id_g);
  tables_.BindBinary2("id_m", &person_.id_m);
  tables_.BindBinary2("id_u", &person_.id_u);
  tables_.BindText("kod", &person_.kod);
  tables_.BindText("nr_d", &person_.nr_d);
  tables_.BindText("nr_l", &person_.nr_l);
  tables_.BindText("nr_p", &person_.nr_p);
  tables_.BindText("rodzaj_o", &person_.rodzaj_o);
  tables_.BindText("nip", &person_.nip);
  tables_.BindText("konto", &person_.konto);
  tables_.BindText("uprawnieni", &person_.uprawnieni);
  if (OpenDictionary("gmina.dbf", gmina_) == 0 || OpenDictionary("miejsc.dbf", miejsc_) == 0 ||
      OpenDictionary("imiona.dbf", imiona_) == 0 || OpenDictionary("ulice.dbf", ulice_) == 0) {
    return false;
  }
  nazwy_ = run::OpenSourceTable(context_, kVariable, "nazwy.dbf", true);
  if (nazwy_ == 0) return false;
  tables_.BindBinary4("ID_OS", &line_owner_);
  tables_.BindText("nazwa", &line_);
  return run::OpenSourceIndex(context_, kVariable, "nazwy.ntx", nazwy_index_, true);
}

// The name of a dictionary entry by its 1-based record number; empty beyond the last one.
std::string PersonsConverter::Resolve(Dictionary& dictionary, std::uint16_t reference) {
  dictionary.nazwa.clear();
  if (reference > tables_.RecordCount(dictionary.handle)) {
    context_.report.CountValueFault(dictionary.file, run::ValueFault::kReferenceBeyondTable);
    return {};
  }
  tables_.GoToRecord(dictionary.handle, reference - 1);
  tables_.ReadRecord(dictionary.handle);
  return dictionary.nazwa;
}

void PersonsConverter::FillStreetSet() {
  for (; !tables_.AtEnd(ulice_.handle); tables_.NextRecord(ulice_.handle)) {
    tables_.ReadRecord(ulice_.handle);
    if (!ulice_.nazwa.empty()) streets_.Add(ulice_.nazwa);
  }
}

// Name lines 1-4 of the person, found through nazwy.ntx by the person's key and the line
// number, read with their full width so that a name wrapped over two lines keeps its spaces.
std::pair<std::string, std::string> PersonsConverter::NameLines() {
  std::string first, second;
  tables_.SetTrimming(false);
  const std::string key = KeyBytes(person_.id);
  for (char number = 1; number <= 4; ++number) {
    const source::SeekResult found = nazwy_index_.Seek(key + number);
    if (!found.found) continue;
    line_.clear();
    tables_.GoToRecord(nazwy_, found.record);
    tables_.ReadRecord(nazwy_);
    if (line_owner_ != person_.id) {
      ++index_mismatches_;  // the index leads to another person's line: it is stale
      continue;
    }
    (number <= 2 ? first : second) += line_;
  }
  tables_.SetTrimming(true);
  return {TrimRight(std::move(first)), TrimRight(std::move(second))};
}

void PersonsConverter::WriteName(engine::Table& osoby) {
  auto [first, second] = NameLines();
  const std::string first_name =
      run::IsReferenceSet(person_.imie_1) ? Resolve(imiona_, person_.imie_1) : std::string();
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
  if (run::IsReferenceSet(person_.id_u)) street = Resolve(ulice_, person_.id_u);
  if (run::IsReferenceSet(person_.id_g)) place = Resolve(gmina_, person_.id_g);
  if (run::IsReferenceSet(person_.id_m)) {
    const std::string locality = Resolve(miejsc_, person_.id_m);
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

bool PersonsConverter::Run() {
  const std::string folder = MakeTargetFolder(context_, "OSOBY");
  SourceTablesScope scope(context_);
  if (!OpenSources()) return false;

  auto ulice = CreateTargetTable(context_, folder, "Ulice.dbf", kNameSchema, kNameIndexes);
  FillStreetSet();
  auto miejsc = CreateTargetTable(context_, folder, "Miejsc.dbf", kNameSchema, kNameIndexes);
  auto osoby = CreateTargetTable(context_, folder, "Osoby.dbf", kOsobySchema, kOsobyIndexes);

  run::SharedTranslationTable& persons = context_.tables().persons;
  const std::uint32_t count = tables_.RecordCount(osoby_);
  context_.progress.TableStart(osoby->table_name(), count);
  std::uint64_t read = 0, written = 0;
  for (; !tables_.AtEnd(osoby_); tables_.NextRecord(osoby_)) {
    tables_.ReadRecord(osoby_);
    context_.progress.RecordStep();
    ++read;
    if (!run::IsDosKeySet(person_.id)) continue;
    const std::string held = persons.LookUp(person_.id);
    if (delete_unlinked_ && held.empty()) continue;
    WritePerson(*osoby, delete_unlinked_ ? held : persons.GetOrAssignKey(person_.id));
    ++written;
  }
  context_.sequence->WriteRow("OSOBY", persons.counter() + 1);
  ReportTable(context_, *osoby, FolderPath("osoby.dbf"), read, written);

  WriteNames(*miejsc, localities_);
  ReportTable(context_, *miejsc, FolderPath("osoby.dbf"), read, localities_.size());
  WriteNames(*ulice, streets_);
  ReportTable(context_, *ulice, FolderPath("ulice.dbf"), tables_.RecordCount(ulice_.handle),
              streets_.size());

  ulice->Close();
  miejsc->Close();
  osoby->Close();
  nazwy_index_.Close();
  if (index_mismatches_ > 0) {
    context_.report.AddWarning(
        platform::HostForm(FolderPath("nazwy.ntx")),
        platform::Cp1250FromUtf8("wpisy indeksu prowadzące do wiersza innej osoby (indeks "
                                 "nieaktualny; pomija go opcja --rebuild-indexes): ") +
            std::to_string(index_mismatches_));
  }
  return true;
}

}  // namespace

bool ConvertPersons(run::RunContext& context, bool delete_unlinked) {
  return PersonsConverter(context, delete_unlinked).Run();
}

}  // namespace konwerter::convert
