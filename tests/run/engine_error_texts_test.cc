#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "run/check_texts.h"
#include "target/engine/engine.h"
#include "target/engine/engine_error.h"
#include "target/engine/table.h"
#include "target/verification/finding.h"
#include "tests/support/temp_dir.h"

namespace konwerter::run {
namespace {

using engine::EngineError;
using engine::EngineFault;
using engine::FaultSubject;

// The operator's text of an engine error, back in UTF-8.
std::string TextOf(const EngineError& error) {
  return platform::Utf8FromCp1250(ErrorText(error));
}

FaultSubject About(std::string table, std::string name = {}, std::string detail = {}) {
  FaultSubject subject;
  subject.table = std::move(table);
  subject.name = std::move(name);
  subject.detail = std::move(detail);
  return subject;
}

// The engine gives codes; the catalogue words them as the engine's errors always read: what
// went wrong with the names it concerns, then the table.
TEST(EngineErrorTextsTest, FaultsAreWordedWithTheirNamesAndTable) {
  const std::string table = "C:\\BAZA\\OSOBY\\Osoby.dbf";
  EXPECT_EQ(TextOf(EngineError(EngineFault::kNoSuchField, About(table, "NAZWA"))),
            "Nie ma pola NAZWA w tabeli: " + table);
  EXPECT_EQ(TextOf(EngineError(EngineFault::kFieldTakesNoText, About(table, "DATA", "abc"))),
            "Pole DATA nie przyjmuje ani nie daje wartości \"abc\" w tabeli: " + table);
  EXPECT_EQ(TextOf(EngineError(EngineFault::kIndexFieldMissing, About(table, "KOD", "UPP_KOD"))),
            "Nie ma pola KOD dla indeksu UPP_KOD tabeli: " + table);
  EXPECT_EQ(TextOf(EngineError(EngineFault::kTagNameRefused, About(table, "1ZLY"))),
            "Niedozwolona nazwa indeksu \"1ZLY\": " + table);
  EXPECT_EQ(TextOf(EngineError(EngineFault::kIndexTagNameRefused, About("Osoby.mdx", "1ZLY"))),
            "Niedozwolona nazwa indeksu (1ZLY): Osoby.mdx");

  FaultSubject position = About("Osoby.dbf");
  position.number = -1;
  EXPECT_EQ(TextOf(EngineError(EngineFault::kNoSuchFieldNumber, position)),
            "Nie ma pola numer -1 w tabeli: Osoby.dbf");
  // A schema item belongs to no table yet.
  EXPECT_EQ(TextOf(EngineError(EngineFault::kSchemaNumberBad, About({}, "Kwota;n;x"))),
            "Niepoprawna liczba w opisie pola: Kwota;n;x");
}

// An error the engine raises itself: a refused key expression says which tag, its
// expression and why, and a table missing from its folder says which.
TEST(EngineErrorTextsTest, TheEnginesOwnErrorsReadAsTheyAlwaysDid) {
  testing::TempDir dir;
  engine::Engine engine;
  const std::vector<engine::FieldDescriptor> fields = {
      {"Kod", engine::FieldType::kCharacter, 4, 0}};
  engine::CreateTable(engine, dir.folder(), "Kody.dbf", fields);
  engine::Table table(engine, dir.folder(), "Kody.dbf");
  try {
    table.AddIndex("ZLY", "LOWER(KOD)", true);
    ADD_FAILURE() << "the expression was taken";
  } catch (const EngineError& error) {
    const std::string text = TextOf(error);
    EXPECT_EQ(text.substr(0, text.find("; tabela")),
              "Indeks ZLY (LOWER(KOD)): nieznana funkcja LOWER");
    EXPECT_NE(text.find("Kody"), std::string::npos) << text;
  }
  engine::Table missing(engine, dir.folder(), "Brak.dbf");
  try {
    missing.Open();
    ADD_FAILURE() << "a missing table opened";
  } catch (const EngineError& error) {
    EXPECT_EQ(TextOf(error), "Nie ma tabeli: " + platform::Utf8FromCp1250(missing.DbfPath()));
  }
}

// The check of a converted database words an index its reader could not walk as the engine's
// errors read.
TEST(EngineErrorTextsTest, ADamagedIndexFoundByTheCheckReadsAsTheEnginesError) {
  verification::DatabaseCheck check;
  check.AddIndexDamaged("/baza/Osoby.mdx",
                        EngineError(EngineFault::kIndexTagHeader, About("Osoby.mdx", "ID_OSOBY")));
  check.AddIndexDamaged("/baza/Ulice.mdx",
                        EngineError(EngineFault::kIndexTreeLoops, About("Ulice.mdx")));
  ASSERT_EQ(check.findings.size(), 2u);
  EXPECT_EQ(check.failures(), 2u);
  EXPECT_EQ(platform::Utf8FromCp1250(DescribeFinding(check.findings[0])),
            "Błędny nagłówek znacznika ID_OSOBY w pliku indeksu: Osoby.mdx");
  EXPECT_EQ(platform::Utf8FromCp1250(DescribeFinding(check.findings[1])),
            "Zapętlone drzewo w pliku indeksu: Ulice.mdx");
}

}  // namespace
}  // namespace konwerter::run
