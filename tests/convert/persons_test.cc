#include "convert/persons.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "run/run_context.h"
#include "tests/e2e/dos_site.h"
#include "tests/e2e/prepared_run.h"

namespace konwerter::testing {
namespace {

using ::testing::ElementsAre;

// The persons converter on its own over a prepared run, so that a test can play the part of
// the converters that run before it.
class PersonsConverterTest : public ::testing::Test {
 protected:
  PersonsConverterTest() : site_(Folder()), run_(site_) {}

  static DosPersonsFolder Folder() {
    DosPersonsFolder folder;
    for (std::uint32_t id : {11u, 9'000'000u, 12u}) {
      DosPerson person;
      person.id = id;
      person.o = 1;
      person.nazwa = "OSOBA " + std::to_string(id);
      folder.persons.push_back(person);
    }
    return folder;
  }

  std::vector<std::vector<std::string>> Rows(const std::string& relative) const {
    return run_.Rows(relative);
  }

  DosSite site_;
  PreparedRun run_;
  run::RunContext& context_ = run_.context();
};

// Keys are not record numbers: a person whose key lies far above the record count + 100
// is referred to by an earlier converter and must keep both the reference and the record.
TEST_F(PersonsConverterTest, APersonReferredToEarlierIsKeptWhateverItsKey) {
  run::SharedTranslationTable& persons = context_.tables().persons;
  EXPECT_EQ(persons.GetOrAssignKey(9'000'000), "00000001");  // e.g. a borrower of a work
  EXPECT_EQ(persons.GetOrAssignKey(12), "00000002");

  ASSERT_TRUE(RecordResult(context_, convert::ConvertPersons(context_, /*delete_unlinked=*/true)));
  context_.sequence->Finish();

  const auto osoby = Rows("BAZA/OSOBY/Osoby.dbf");
  ASSERT_EQ(osoby.size(), 2u);
  EXPECT_EQ(osoby[0][0], "00000001");
  EXPECT_EQ(osoby[0][1], "OSOBA 9000000");
  EXPECT_EQ(osoby[1][0], "00000002");
  EXPECT_EQ(osoby[1][1], "OSOBA 12");
  EXPECT_THAT(Rows("BAZA/ADMIN/Dostep.dbf"), ElementsAre(ElementsAre("3", "OSOBY")));
  EXPECT_EQ(run_.progress().tables.front(), "Tworzenie tabeli: Osoby.dbf");
}

TEST_F(PersonsConverterTest, WithoutTheFlagUnreferencedPersonsGetTheNextIdentifiers) {
  context_.tables().persons.GetOrAssignKey(12);
  ASSERT_TRUE(RecordResult(context_, convert::ConvertPersons(context_, /*delete_unlinked=*/false)));
  context_.sequence->Finish();
  const auto osoby = Rows("BAZA/OSOBY/Osoby.dbf");
  ASSERT_EQ(osoby.size(), 3u);
  EXPECT_EQ(osoby[0][0], "00000002");
  EXPECT_EQ(osoby[1][0], "00000003");
  EXPECT_EQ(osoby[2][0], "00000001");
  EXPECT_THAT(Rows("BAZA/ADMIN/Dostep.dbf"), ElementsAre(ElementsAre("4", "OSOBY")));
}

}  // namespace
}  // namespace konwerter::testing
