#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/conversion_driver.h"
#include "platform/source_lock.h"
#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "target/engine/table.h"
#include "tests/e2e/dos_site.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// The persons of the site: a person with every address part, an institution whose locality
// stands in for the street, a firm with a key far above the record count and wrapped name
// lines, a record without a key, and a second record with the first one's key.
DosPerson Person(std::uint32_t id, int o, std::string nazwa) {
  DosPerson person;
  person.id = id;
  person.o = o;
  person.nazwa = std::move(nazwa);
  return person;
}

DosPersonsFolder Persons() {
  DosPersonsFolder folder;
  folder.communes = {"Łódź"};
  folder.localities = {"Żabiniec", "Łęczyca"};
  folder.streets = {"Polna", "POLNA"};
  folder.first_names = {"Jan"};
  DosPerson jan = Person(7, 2, "KOWALSKI J");
  jan.imie_1 = 1;
  jan.id_g = 1;
  jan.id_m = 1;
  jan.id_u = 1;
  jan.kod = "12345";
  jan.nr_d = "5";
  jan.nr_l = "2";
  jan.nr_p = "          0";
  jan.rodzaj_o = "f";
  jan.nip = "7251234567";
  jan.name_lines = {"KOWALSKI"};
  DosPerson office = Person(3, 1, "Urząd Gminy");
  office.id_g = 1;
  office.id_m = 2;
  office.nr_d = "5";
  office.nr_p = "80010112345";
  DosPerson firm = Person(5'000'000, 2, "PGK");
  firm.id_u = 99;
  firm.name_lines = {"Przedsiębiorstwo Geodezyjne", "i Kartograficzne", "Sp. z o.o."};
  DosPerson keyless = Person(0, 2, "BEZ KLUCZA");
  DosPerson again = jan;
  again.nazwa = "KOWALSKI 2";
  folder.persons = {jan, office, firm, keyless, again};
  return folder;
}

class ConversionRunTest : public ::testing::Test {
 protected:
  ConversionRunTest()
      : site_(Persons(), {"DOM_GMNR=7", "DOM_GMNAZ=Zgierz", "DOM_NADOPE=T", "DOM_OSWYK=w"}) {}

  app::ConversionResult Convert(std::vector<platform::MessageAnswer> answers = {},
                                bool keep_unlinked_persons = true, std::string input = "") {
    app::ConversionRequest request;
    request.input_folder = input.empty() ? site_.root().string() : input;
    request.output_folder = output_.folder();
    request.options.delete_unlinked_persons = !keep_unlinked_persons;
    request.renumbering_file = output_.Join("brak.gm");
    messages_ = RecordedMessages(std::move(answers));
    const platform::FixedClock clock(kRunDate);
    return app::RunConversion(request, session_, progress_, messages_, clock);
  }
  fs::path Target(const std::string& relative) const { return output_.path() / relative; }
  // Rows of a target table as dbfread decodes them (cp852), "" for a blank field.
  std::vector<std::vector<std::string>> Rows(const std::string& relative) const {
    return LiveRowsWithDbfread(Target(relative));
  }
  std::string Text(const std::string& relative) const {
    std::ifstream file(Target(relative), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
  }

  DosSite site_;
  TempDir output_;
  run::Session session_;
  RecordedMessages messages_;
  RecordedProgress progress_;
};

TEST_F(ConversionRunTest, ConvertsEveryPersonWithAddressNameAndIdentifier) {
  const app::ConversionResult result = Convert({}, /*keep_unlinked_persons=*/true);
  ASSERT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings)
      << platform::Utf8FromCp1250(result.message);
  EXPECT_THAT(messages_.Texts().back(), HasSubstr("Konwersja została zakończona z ostrzeżeniami"));

  const auto osoby = Rows("BAZA/OSOBY/Osoby.dbf");
  ASSERT_EQ(osoby.size(), 4u);
  // Id_osoby klucz Nazwa1 Nazwa2 Ulica Nr_dl Kod Miejsc Pesel Nip Uprawnieni Id_tworz
  // Id_modyf Rodzaj Konto
  EXPECT_THAT(osoby[0],
              ElementsAre("00000001", "KOWALSKI J", "Jan KOWALSKI", "", "Polna", "5/2", "12-345",
                          "ŻABINIEC", "", "7251234567", "", "000158B1", "", "F", ""));
  EXPECT_THAT(osoby[1], ElementsAre("00000002", "Urząd Gminy", "Urząd Gminy", "", "ŁĘCZYCA", "5",
                                    "", "Łódź", "80010112345", "", "", "000158B1", "", "", ""));
  const std::string line1 = "Przedsiębiorstwo Geodezyjne   ";
  EXPECT_EQ(osoby[2][0], "00000003");  // a key far above the record count keeps its person
  EXPECT_EQ(osoby[2][2], " " + line1 + "i Kartograficzne");
  EXPECT_EQ(osoby[2][3], "Sp. z o.o.");
  EXPECT_EQ(osoby[2][4], "");  // a street reference beyond the dictionary
  EXPECT_EQ(osoby[3][0], "00000001");
  EXPECT_EQ(osoby[3][1], "KOWALSKI 2");

  EXPECT_THAT(Rows("BAZA/OSOBY/Ulice.dbf"),
              ElementsAre(ElementsAre("ŁĘCZYCA"), ElementsAre("Polna")));
  EXPECT_THAT(Rows("BAZA/OSOBY/Miejsc.dbf"),
              ElementsAre(ElementsAre("ŁÓDŹ"), ElementsAre("ŻABINIEC")));
  EXPECT_THAT(Rows("BAZA/ADMIN/Dostep.dbf"), ::testing::Contains(ElementsAre("4", "OSOBY")));

  // Our own engine reads the same table.
  engine::Table table(session_.engine, output_.Join("BAZA\\OSOBY\\"), "Osoby.dbf");
  table.Open();
  EXPECT_EQ(table.RecordCount(), 4u);
  table.SetCurrentIndex("UPP_KLUCZ");
  ASSERT_TRUE(table.FindKey(platform::Cp1250FromUtf8("URZĄD GMINY")));
  EXPECT_EQ(table.ReadText("Id_osoby"), "00000002");
}

TEST_F(ConversionRunTest, DeleteUnlinkedWithoutReferencesStillWritesStreetsAndTheSequence) {
  ASSERT_EQ(Convert({}, /*keep_unlinked_persons=*/false).outcome,
            app::RunOutcome::kSucceededWithWarnings);
  EXPECT_TRUE(Rows("BAZA/OSOBY/Osoby.dbf").empty());
  EXPECT_THAT(Rows("BAZA/OSOBY/Ulice.dbf"), ElementsAre(ElementsAre("Polna")));
  EXPECT_TRUE(Rows("BAZA/OSOBY/Miejsc.dbf").empty());
  EXPECT_THAT(Rows("BAZA/ADMIN/Dostep.dbf"), Contains(ElementsAre("1", "OSOBY")));
}

// The hand-made site's registers have no records: each register's sequence starts at 1.
TEST_F(ConversionRunTest, EmptyRegistersStartTheirSequencesAtOne) {
  ASSERT_NE(Convert().outcome, app::RunOutcome::kFailed);
  const auto sequence = Rows("BAZA/ADMIN/Dostep.dbf");
  for (const char* name :
       {"METRYKA", "M_EWID", "Z_EWID", "OPERATY_PR", "OPERATY_BU", "OPERATY_PRZ", "SZKICE"}) {
    EXPECT_THAT(sequence, Contains(ElementsAre("1", name))) << name;
  }
}

TEST_F(ConversionRunTest, WritesTheSettingsFileAndTheCoordinateSystems) {
  const app::ConversionResult result = Convert();
  ASSERT_EQ(result.outcome, app::RunOutcome::kSucceededWithWarnings);
  const std::string ini = platform::Utf8FromCp1250(Text("BAZA/ADMIN/terokan.ini"));
  EXPECT_THAT(ini, HasSubstr("Nr gminy=007\r\n"));
  EXPECT_THAT(ini, HasSubstr("Gmina=Zgierz\r\n"));
  EXPECT_THAT(ini, HasSubstr("Nadawanie numeru kolejnego w bazach operatów=1\r\n"));

  EXPECT_EQ(platform::Utf8FromCp1250(Text("BAZA/UKLADY/65.def")),
            "1:10000            & skala sekcji pierwotnych\r\n"
            "5000               & wymiary dx sekcji pierwotnej\r\n"
            "8000               & wymiary dy sekcji pierwotnej\r\n"
            "/2                 & podział sekcji\r\n"
            ".                  & separator oddzielający godlo arkusza pierwotnego od reszty\r\n"
            "1 2                &1  nazwy arkuszy na które dzielimy arkusz pierwotny\r\n"
            "3 4                &2  muszą być 2 linie po dwie nazwy bo podział /2\r\n"
            "                   & separator końcowy dla podziału /2\r\n"
            "/5/2/2             & następny podział sekcji pierwotnej\r\n"
            ".                  & separator oddzielający godlo arkusza pierwotnego od reszty\r\n"
            "01 02 03 04 05     &1 nazwy arkuszy na które dzielimy arkusz pierwotny\r\n"
            "06 07 08 09 10     &2 musi być 5 lini po 5 nazw  bo podział /5\r\n"
            "11 12 13 14 15\r\n"
            "16 17 18 19 20\r\n"
            "21 22 23 24 25\r\n"
            "                   & separator rozdzielający podziały\r\n"
            "1 2                &1  nazwy arkuszy na które dzielimy\r\n"
            "3 4                &2  muszą być 2 linie po dwie nazwy bo podział /2\r\n"
            ".                  & separator rozdzielający podziały\r\n"
            "1 2                &1  nazwy arkuszy na które dzielimy\r\n"
            "3 4                &2  muszą być 2 linie po dwie nazwy  bo podział /2\r\n"
            "                   & separator końcowy dla podziału /5/2/2\r\n"
            "/                  & koniec podziałów sekcji pierwotnej\r\n");
  EXPECT_FALSE(fs::exists(Target("BAZA/UKLADY/12.def")));
  EXPECT_FALSE(fs::exists(Target("BAZA/UKLADY/A.def")));
  EXPECT_EQ(platform::Utf8FromCp1250(Text("BAZA/UKLADY/1.def")),
            "1:5000            & skala sekcji pierwotnych\r\n"
            "5000               & wymiary dx sekcji pierwotnej\r\n"
            "4000               & wymiary dy sekcji pierwotnej\r\n"
            "/2\r\nćwiartki ŁĄ\r\n"
            "A_B 5000 8000  & Lewe, dolne narożniki sekcji pierwotnych\r\n"
            "C 10000 16000\r\n");
  EXPECT_THAT(messages_.Texts(), ::testing::Contains("Brak kompletnego opisu do układu: A"));
  // The site's damage: the firm's street refers past the end of ulice.dbf, and system A has a
  // marker and nothing else. Both are the run's warnings; the check of the converted database
  // adds the person key the site holds twice.
  ASSERT_EQ(result.report.warnings.size(), 3u);
  EXPECT_EQ(result.report.warnings[2].kind, run::WarningKind::kCheckFinding);
  EXPECT_THAT(platform::Utf8FromCp1250(result.report.warnings[2].file), HasSubstr("Osoby.dbf"));
  EXPECT_THAT(platform::Utf8FromCp1250(run::WarningText(result.report.warnings[0])),
              HasSubstr("układu A"));
  EXPECT_THAT(platform::Utf8FromCp1250(result.report.warnings[1].file), HasSubstr("ulice.dbf"));
  EXPECT_THAT(platform::Utf8FromCp1250(run::WarningText(result.report.warnings[1])),
              HasSubstr("spoza tabeli (pominięte): 1"));
}

TEST_F(ConversionRunTest, ASecondRunAsksAndNoLeavesTheOutputAsItWas) {
  ASSERT_EQ(Convert().outcome, app::RunOutcome::kSucceededWithWarnings);
  const auto sources = site_.Snapshot();
  const auto output = SnapshotFolder(output_.path());

  EXPECT_EQ(Convert({platform::MessageAnswer::kNo}).outcome, app::RunOutcome::kDeclined);
  ASSERT_EQ(messages_.shown.size(), 1u);
  EXPECT_EQ(messages_.shown[0].buttons, platform::MessageButtons::kYesNo);
  EXPECT_THAT(messages_.Texts()[0], HasSubstr("ZNISZCZY WSZYSTKIE DANE"));
  EXPECT_EQ(SnapshotFolder(output_.path()), output);

  EXPECT_EQ(Convert({platform::MessageAnswer::kYes}).outcome,
            app::RunOutcome::kSucceededWithWarnings);
  EXPECT_EQ(Rows("BAZA/OSOBY/Osoby.dbf").size(), 4u);
  EXPECT_EQ(site_.Snapshot(), sources);
}

// Equal sources and an equal date give equal bytes: no stray memory reaches the files.
TEST_F(ConversionRunTest, TwoRunsOfTheSameSiteWriteTheSameBytes) {
  ASSERT_EQ(Convert().outcome, app::RunOutcome::kSucceededWithWarnings);
  const auto first = SnapshotFolder(output_.path() / "BAZA");
  fs::remove_all(output_.path() / "BAZA");
  ASSERT_EQ(Convert().outcome, app::RunOutcome::kSucceededWithWarnings);
  EXPECT_EQ(SnapshotFolder(output_.path() / "BAZA"), first);
  for (const auto& [name, bytes] : first) {
    if (name.ends_with(".dbf")) {
      EXPECT_EQ(bytes[1], 124) << name;  // 2024 - 1900
    }
  }
}

TEST_F(ConversionRunTest, ARunAgainstAnEmptyOutputDoesNotAsk) {
  ASSERT_EQ(Convert({}, false).outcome,
            app::RunOutcome::kSucceededWithWarnings);  // only NextVal 1 rows
  EXPECT_EQ(Convert({}, false).outcome, app::RunOutcome::kSucceededWithWarnings);
  EXPECT_EQ(messages_.shown.front().buttons, platform::MessageButtons::kOk);
}

TEST_F(ConversionRunTest, ThePreChecksStopARunBeforeAnythingIsWritten) {
  {
    std::optional<platform::SourceLock> other;
    ASSERT_EQ(platform::SourceLock::Take((site_.system() / "USERS.DBF").string(), other),
              platform::SourceLock::Outcome::kTaken);
    EXPECT_EQ(Convert().outcome, app::RunOutcome::kNoSourceLock);
    EXPECT_THAT(messages_.Texts(),
                ElementsAre("Przed konwersją należy zakończyć pracę z systemem TEROKAN na "
                            "wszyskich stanowiskach."));
  }
  EXPECT_EQ(Convert({}, true, output_.path().string()).outcome, app::RunOutcome::kNoSourceLock);
  EXPECT_THAT(messages_.Texts(),
              ElementsAre(::testing::StartsWith("Błędna ścieżka dojścia do danych systemu "
                                                "TEROKAN. Wskaż położenie kartoteki SYSTEM w "
                                                "TEROKAN.\r\nNie znaleziono pliku: ")));
  fs::remove(site_.system() / "bdglobal.mem");
  EXPECT_EQ(Convert().outcome, app::RunOutcome::kNoDirectoryVariables);
  EXPECT_THAT(messages_.Texts()[0], HasSubstr("Brak pliku: "));
  EXPECT_THAT(messages_.Texts()[0], HasSubstr("bdglobal.mem"));
  EXPECT_FALSE(fs::exists(Target("BAZA")));
}

// A fault no converter reports (here: the output cannot hold its folders) ends the run with
// a Polish message, after the closing steps.
TEST_F(ConversionRunTest, AFileSystemFaultEndsTheRunWithItsMessageAndFreesTheSources) {
  std::ofstream(output_.path() / "BAZA") << "not a folder";
  const app::ConversionResult result = Convert();
  EXPECT_EQ(result.outcome, app::RunOutcome::kAborted);
  EXPECT_THAT(platform::Utf8FromCp1250(result.message), HasSubstr("Nie można utworzyć kartoteki"));
  ASSERT_FALSE(messages_.shown.empty());
  EXPECT_EQ(messages_.shown.back().icon, platform::MessageIcon::kStop);
  EXPECT_EQ(progress_.resets, 1);
  std::optional<platform::SourceLock> lock;
  EXPECT_EQ(platform::SourceLock::Take((site_.system() / "USERS.DBF").string(), lock),
            platform::SourceLock::Outcome::kTaken);
}

TEST_F(ConversionRunTest, AMissingPersonsTableFailsTheRunButTheSettingsAreWritten) {
  fs::remove(site_.persons_folder() / "OSOBY.DBF");
  const app::ConversionResult result = Convert();
  EXPECT_EQ(result.outcome, app::RunOutcome::kFailed);
  const std::string message = platform::Utf8FromCp1250(result.message);
  EXPECT_THAT(message, HasSubstr("Wystąpił błąd podczas konwersji:"));
  EXPECT_THAT(message, HasSubstr("Błąd podczas otwarcia pliku: "));
  EXPECT_THAT(message, HasSubstr("osoby.dbf"));
  EXPECT_TRUE(fs::exists(Target("BAZA/ADMIN/terokan.ini")));
  EXPECT_FALSE(fs::exists(Target("BAZA/OSOBY/Osoby.dbf")));
  EXPECT_EQ(progress_.resets, 1);
}

}  // namespace
}  // namespace konwerter::testing
