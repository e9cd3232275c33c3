#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/convert_command.h"
#include "tests/e2e/dos_site.h"
#include "tests/e2e/orders_site.h"
#include "tests/e2e/register_site.h"
#include "tests/e2e/works_site.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

DosPersonsFolder TwoPersons() {
  DosPersonsFolder folder;
  for (std::uint32_t id : {7u, 8u}) {
    DosPerson person;
    person.id = id;
    person.nazwa = "OSOBA " + std::to_string(id);
    folder.persons.push_back(person);
  }
  return folder;
}

// Every dictionary holds one record that the works register refers to (or none) and one
// that nobody refers to; the works register has one reported work and one that is not.
DosWorksFolders OneOfEach() {
  DosWorksFolders data;
  data.works.resize(2);
  data.works[0].id_kerg = 100;
  data.works[0].jestwkergu = true;
  data.works[1].id_kerg = 101;
  DosReportedWork reported;
  reported.id_kerg = 100;
  reported.wykon = 7;
  data.register_records = {reported};
  data.quantities = {{1, 1, "2"}};
  data.covered = {{1, 20, "1"}};
  DosParcel covered, other;
  covered.id_dzialki = 20;
  covered.id_obrebu = 10;
  other.id_dzialki = 21;
  other.id_obrebu = 11;
  data.parcels = {covered, other};
  DosPrecinct first, second;
  first.id_obr = 10;
  second.id_obr = 11;
  data.precincts = {first, second};
  data.work_assortments = {{1, "PO", "podział"}, {2, "WZ", "wznowienie"}};
  data.order_assortments = data.work_assortments;
  data.services = {{1, "JK", "Kowalski"}, {2, "AN", "Nowak"}};
  data.features = data.work_assortments;
  return data;
}

class UnlinkedBoxesTest : public ::testing::Test {
 protected:
  // The dictionaries of orders and the features are referred to by converters that run
  // before them: an order names the second order assortment and service, an operat the
  // second feature.
  UnlinkedBoxesTest() : site_(TwoPersons()) {
    WriteWorksFolders(site_, OneOfEach());
    DosOrdersDomain orders;
    DosOrderCard card;
    card.id_zam = 1;
    card.nr_zam = 1;
    card.id_obsluga = 2;
    card.id_asort = 2;
    orders.cards = {card};
    WriteOrdersDomain(site_, orders);
    DosOperats operats;
    operats.operats = {{.id_ope = 1, .czlon_1 = "1"}};
    operats.feature_links = {{1, LinkReference(2)}};
    WriteOperats(site_, 1, operats);
  }

  // Converts with `--keep-unlinked names` and counts the records of each dictionary table.
  std::map<std::string, std::size_t> Counts(const std::string& names) {
    TempDir output;
    std::vector<std::string> arguments = {"--input", site_.root().string(), "--output",
                                          output.path().string(), "--quiet"};
    if (!names.empty()) arguments.insert(arguments.end(), {"--keep-unlinked", names});
    std::ostringstream out, err;
    std::istringstream in;
    cli::Console console{out, err, in, false, false};
    const platform::FixedClock clock(kRunDate);
    EXPECT_EQ(cli::RunConvert(arguments, console, clock), cli::kExitSucceeded) << err.str();
    std::map<std::string, std::size_t> counts;
    for (const char* table :
         {"KERG/Roboty.dbf", "KERG/dz.dbf", "KERG/obreb.dbf", "KERG/Asortym.dbf", "KERG/cechy.dbf",
          "ZLECENIA/asortym.dbf", "ZLECENIA/obsluga.dbf", "OSOBY/Osoby.dbf"}) {
      counts[table] = ReadDbfWithDbfread(output.path() / "BAZA" / table).live_records.size();
    }
    return counts;
  }

  DosSite site_;
};

// Each name of the command line turns off exactly its boxes; a parcel kept links its
// precinct even while the precincts' box stays on.
TEST_F(UnlinkedBoxesTest, EachNameKeepsTheUnlinkedRecordsOfItsOwnTablesOnly) {
  const std::map<std::string, std::size_t> linked = {
      {"KERG/Roboty.dbf", 1},      {"KERG/dz.dbf", 1},    {"KERG/obreb.dbf", 1},
      {"KERG/Asortym.dbf", 1},     {"KERG/cechy.dbf", 1}, {"ZLECENIA/asortym.dbf", 1},
      {"ZLECENIA/obsluga.dbf", 1}, {"OSOBY/Osoby.dbf", 1}};
  EXPECT_EQ(Counts(""), linked);
  const std::vector<std::pair<std::string, std::vector<std::string>>> boxes = {
      {"roboty", {"KERG/Roboty.dbf"}},
      {"dzialki", {"KERG/dz.dbf", "KERG/obreb.dbf"}},
      {"obreby", {"KERG/obreb.dbf"}},
      {"asortymenty", {"KERG/Asortym.dbf", "KERG/cechy.dbf", "ZLECENIA/asortym.dbf"}},
      {"osoby", {"OSOBY/Osoby.dbf", "ZLECENIA/obsluga.dbf"}},
  };
  for (const auto& [name, tables] : boxes) {
    std::map<std::string, std::size_t> expected = linked;
    for (const std::string& table : tables) expected[table] = 2;
    EXPECT_EQ(Counts(name), expected) << name;
  }
}

}  // namespace
}  // namespace konwerter::testing
