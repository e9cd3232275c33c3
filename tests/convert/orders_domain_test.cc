// The orders domain run in the driver's order over hand-made sites: map stock, price
// lists, order cards with settlement lines and sheet issues, cash receipts, templates,
// coefficients, statutory interest and sales register, read back by dbfread and, for the
// production indexes, by XBase::Index.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "convert/cash_receipts.h"
#include "convert/coefficients.h"
#include "convert/map_stock.h"
#include "convert/orders.h"
#include "convert/price_lists.h"
#include "convert/templates.h"
#include "run/catalogue.h"
#include "tests/e2e/orders_site.h"
#include "tests/e2e/prepared_run.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

using ::testing::ElementsAre;
using Record = std::map<std::string, std::string>;

constexpr std::uint16_t kSelfStanding = 0xFEFE;
constexpr std::uint32_t kSpaces = 0x20202020;

// The live records of an output table by field name (as the header stores it).
std::vector<Record> Records(const PreparedRun& run, const std::string& relative) {
  const DbfOracleTable table = ReadDbfWithDbfread(run.output().path() / relative, "cp852");
  std::vector<Record> records;
  for (const DbfOracleRecord& live : table.live_records) {
    Record record;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
      record[table.fields[i].name] = live.values[i].value_or("");
    }
    records.push_back(record);
  }
  return records;
}

std::vector<std::string> Column(const std::vector<Record>& records, const std::string& field) {
  std::vector<std::string> values;
  for (const Record& record : records) values.push_back(record.at(field));
  return values;
}

// The keys of one tag as XBase::Index walks them, each with its record number.
std::vector<NtxOracleKey> TagKeys(const PreparedRun& run, const std::string& mdx,
                                  const std::string& tag) {
  for (const MdxOracleTag& found : ReadMdxWithXBase(run.output().path() / mdx)) {
    if (found.name == tag) return found.keys;
  }
  ADD_FAILURE() << "XBase::Index lists no tag " << tag << " in " << mdx;
  return {};
}

bool Exists(const PreparedRun& run, const std::string& relative) {
  return std::filesystem::exists(run.output().path() / relative);
}

using Converter = std::function<run::Status(run::RunContext&)>;

// The converters of the domain in the driver's order; each runs only while the run is clean.
void RunDomain(PreparedRun& run) {
  const std::vector<Converter> steps = {
      convert::ConvertMapStock,          convert::ConvertPriceLists,   convert::ConvertOrders,
      convert::ConvertCashReceipts,      convert::ConvertTemplates,    convert::ConvertCoefficients,
      convert::ConvertStatutoryInterest, convert::ConvertSalesRegister};
  for (const Converter& step : steps) {
    if (!run.context().status.ok()) continue;
    if (const run::Status done = step(run.context()); !done) {
      run.context().status.Fail(run::FailureText(done.error()));
    }
  }
  run.context().sequence->Finish();
}

// Price lists: 1 of kind V, 2 of kind R, 3 without a kind, 4 of kind M (map sheets).
DosOrdersDomain PricedDomain() {
  DosOrdersDomain d;
  d.headers = {{1, "wg VAT", "V", "V"}, {2, "zwolnione", "R", "R"}, {3, "zwykly", "", " "},
               {4, "mapy", "M", "M"},   {0, "pusty", "Z", "P"},     {100, "za duzy", "V", "X"}};
  d.positions = {{3, "K1", "7", 12.5, "22", std::string(78, 'x')},
                 {3, "K1", "8", 10, " 7", ""},
                 {3, "K1", "9", 10, "zw", ""},
                 {3, "k1", "10", 10, "7%", ""},
                 {4, "M", "00007", 3.25, "22", ""},
                 {0, "K1", "99", 1, "22", ""}};
  d.cards = {{1, 101, 5, 40, 2, 3, "20240105", "", 10, "T", "FV", false},
             {0, 102, 0, 0, 0, 0, "", "", 0, " ", "", false},
             {3, 103, 0, 0, 0, 0, "20241317", "", 0, "?", "RU", false}};
  d.settlements = {
      {1, 1, 3, "K1", "7", 1, 1, 0, 122, 1},   // 22%: 122.00 gross is 100.00 net
      {2, 1, 3, "K1", "8", 1, 1, 0, 107, 2},   // " 7" stays " 7", rate 7
      {3, 3, 3, "K1", "9", 1, 1, 0, 55, 1},    // zw: net = gross
      {4, 3, 3, "K1", "10", 1, 1, 0, 44, 2},   // 7% is no integer: rate 0
      {5, 3, 3, "K1", "11", 1, 1, 0, 33, 3},   // not in the list: neither
      {6, 1, 1, "", "7%", 1, 1, 80, 99, 4},    // kind V
      {7, 1, 1, "", "22ab", 1, 1, 70, 98, 5},  // kind V
      {8, 1, 2, "", "1", 1, 1, 60, 97, 6},     // kind R
      {9, 1, 4, "M", "00007", 1, 1, 0, 9, 7},  // kind M: not written, no number
      {10, 1, 120, "K1", "7", 1, 1, 0, 8, 8},  // no kind above 99; 120 does not fit R_ceny
      {11, 1, 0, "K1", "7", 1, 1, 0, 7, 9},    // no price list: not written
      {0, 1, 3, "K1", "7", 1, 1, 0, 6, 10},    // no key: not written
      {13, 2, 3, "K1", "7", 1, 1, 0, 5, 11},   // its card was not written: empty Id_zam
      {14, 0, 3, "K1", "7", 1, 1, 0, 4, 12}};  // no card: not written
  d.issues = {{7, "A-1", 3, 3, 4, 12.2, "M"},  // 3 sheets of kind 7 at price list 4
              {7, "A-2", 1, 0, 4, 12.2, "M"},  // no sheets: not written
              {8, "A-3", 1, 1, 4, 5, "X"}};    // no such position: no price, no VAT
  d.receipts = {{1, "KP/1", "20240110", 10}, {kSpaces, "KP/2", "", 20}, {3, "KP/3", "", 30}};
  d.receipt_lines = {{1, 1, false, 5},
                     {3, kSelfStanding, true, 6},
                     {3, kSelfStanding, false, 7},
                     {2, kSelfStanding, false, 8},  // its receipt was not written
                     {1, 0, false, 9},
                     {0, 1, false, 10}};
  d.templates = {{"wzor M", 4, "M", "00007", 1, 2},
                 {"wzor V", 1, "", "0%", 50, 61},
                 {"wzor bez", 3, "K1", "55", 1, 2},
                 {"wzor zero", 0, "", "", 1, 2},
                 {"wzor duzy", 120, "K1", "7", 1, 2}};
  d.coefficients = {{1, "W1", "pilne", 1.5}, {0, "W2", "las", 1.2}, {3, "W3", "teren", 1.1}};
  d.coefficient_parts = {{1, 0.5, 3},       // 0002
                         {9, 0.6, 1},       // its settlement line (kind M) was not written
                         {2, 0.7, 0x2020},  // two spaces
                         {3, 0.8, 2},       // points at a description not written
                         {0, 0.9, 1}};      // no settlement line: not written
  d.interest = {{"20020101", 0.12, "U"}, {"", 0.115, "U"}};
  d.sales_periods = {{"20040101", ""}, {"20030101", "20031231"}, {"2003XX01", "20031231"}};
  return d;
}

class OrdersDomainTest : public ::testing::Test {
 protected:
  explicit OrdersDomainTest() : site_(DosPersonsFolder{}) {}

  PreparedRun& Run(const DosOrdersDomain& domain) {
    WriteOrdersDomain(site_, domain);
    // The earlier edition knew no features: the run tells the editions by cechy.dbf.
    if (!domain.later_edition) std::filesystem::remove(site_.folder("groboty") / "cechy.dbf");
    run_.emplace(site_);
    EXPECT_EQ((run_->context().edition == source::SourceEdition::kLater), domain.later_edition);
    RunDomain(*run_);
    return *run_;
  }

  DosSite site_;
  std::optional<PreparedRun> run_;
};

TEST_F(OrdersDomainTest, MapStockNumbersWrittenDeliveriesAndDropsTheSheetsOfOthers) {
  DosOrdersDomain d = PricedDomain();
  d.deliveries = {{1, "D1", 7, "20240201", 10, true},
                  {2, "D2", 8, "", 20, false},  // not received: not written
                  {3, "D3", 0, "20240230", 30, true},
                  {0, "D4", 9, "", 40, true}};  // no key: not written
  d.sheets = {{3, 7, "N-34-1", 1.5, 2}, {2, 1, "N-34-2", 1, 1}, {1, 12, "n-34-3", 2, 3}};
  d.map_kinds = {
      {0, "zero", "", 0, 0, 0}, {12, "mapa", "M12", 500, 11, 1999}, {7, "mapa 7", "", 0, 0, 0}};
  d.designations = {{"\xFF"
                     "skasowane",
                     "x"},
                    {"", "puste"},
                    {"N-34-1", "Kielce"}};
  PreparedRun& run = Run(d);
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();

  const auto dostawy = Records(run, "BAZA/OBROT/dostawy.dbf");
  EXPECT_THAT(Column(dostawy, "ID_DOSTAWY"), ElementsAre("0001", "0002"));
  EXPECT_THAT(Column(dostawy, "D_DOWODU"), ElementsAre("2024-02-01", "1900-01-01"));
  EXPECT_THAT(Column(dostawy, "PRZYCHOD"), ElementsAre("true", "true"));
  EXPECT_EQ(dostawy[0].at("ID_TWORZ"), run.context().creator_identifier);
  // The supplier of the first delivery became a linked person; key 0 links nobody.
  EXPECT_EQ(dostawy[0].at("ID_OSOBY"), run.context().tables().persons.LookUp(7));
  EXPECT_FALSE(dostawy[0].at("ID_OSOBY").empty());
  EXPECT_EQ(dostawy[1].at("ID_OSOBY"), "");
  EXPECT_EQ(run.context().tables().persons.LookUp(8), "");

  const auto przychod = Records(run, "BAZA/OBROT/przychod.dbf");
  EXPECT_THAT(Column(przychod, "ID_DOSTAWY"), ElementsAre("0002", "0001"));
  EXPECT_THAT(Column(przychod, "NR_ROMAP"), ElementsAre("  7", " 12"));
  EXPECT_THAT(Column(przychod, "STAN"), ElementsAre("true", "true"));
  // The tag joining text and a logical is walked in order by another reader.
  const auto mapy = TagKeys(run, "BAZA/OBROT/przychod.mdx", "MAPY");
  ASSERT_EQ(mapy.size(), 2u);
  EXPECT_EQ(mapy[0].key, "  7N-34-1         T");
  EXPECT_EQ(mapy[1].key, " 12N-34-3         T");

  const auto ind_map = Records(run, "BAZA/OBROT/ind_map.dbf");
  EXPECT_THAT(Column(ind_map, "NR_ROMAP"), ElementsAre(" 12", "  7"));
  EXPECT_THAT(Column(ind_map, "NAZWA_S"), ElementsAre("M12", ""));
  EXPECT_THAT(Column(ind_map, "SKALA"), ElementsAre("500", "0"));
  EXPECT_THAT(Column(ind_map, "ROK_WYD"), ElementsAre("1999", "0"));
  EXPECT_EQ(ind_map[0].at("ID_OSOBY"), run.context().tables().persons.LookUp(11));

  EXPECT_THAT(Column(Records(run, "BAZA/OBROT/godla.dbf"), "NAZWA_GOD"),
              ElementsAre("puste", "Kielce"));
  EXPECT_EQ(run.SequenceRows().front(), "DOSTAWY=3");
}

TEST_F(OrdersDomainTest, PriceListsGiveKindsCodesAndPricesAndTheOversizedNumberStaysIndexed) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();

  const auto r_ceny = Records(run, "BAZA/ZLECENIA/r_ceny.dbf");
  EXPECT_THAT(Column(r_ceny, "SPOSOB_KLF"), ElementsAre("4", "5", "", "2", ""));
  // 100 does not fit R_ceny N(2): the field is filled with '*' and counted.
  EXPECT_THAT(Column(r_ceny, "R_CENY"), ElementsAre("1", "2", "3", "4", ""));
  const auto& accounts = run.context().ledger.accounts();
  EXPECT_TRUE(std::any_of(accounts.begin(), accounts.end(), [](const run::TableAccount& account) {
    return account.target_path.ends_with("r_ceny.dbf") &&
           account.altered_by_change[static_cast<std::size_t>(run::ValueChange::kNumberTooWide)] >=
               1;
  }));
  const run::PriceLists& lists = run.context().price_lists;
  EXPECT_EQ(lists.Kind(1), 'V');
  EXPECT_EQ(lists.Kind(3), '\0');
  EXPECT_EQ(lists.Kind(100), '\0');
  // The key over the overflowed field is that of 0, ahead of every written number.
  const auto keys = TagKeys(run, "BAZA/ZLECENIA/r_ceny.mdx", "R_CENY");
  ASSERT_EQ(keys.size(), 5u);
  EXPECT_EQ(keys[0].record, 5u);
  EXPECT_EQ(keys[0].key, std::string("\x34\x01", 2) + std::string(10, '\0'));

  const auto cenniki = Records(run, "BAZA/ZLECENIA/cenniki.dbf");
  ASSERT_EQ(cenniki.size(), 5u);
  EXPECT_EQ(cenniki[0].at("NAPOZ_PEL"), std::string(76, 'x'));
  EXPECT_EQ(cenniki[1].at("VAT"), " 7");
  EXPECT_EQ(lists.FindVat(" 3K17"), "22");
  EXPECT_EQ(lists.FindPrice(" 3K17"), 1250);
  EXPECT_EQ(lists.FindVat(" 3K110"), "7%");  // stored as "k1": letters match in any case
  EXPECT_EQ(lists.FindVat(" 0K199"), std::nullopt);
}

// The price lists live in the session; converting them again starts them afresh.
TEST_F(OrdersDomainTest, PriceListsConvertedAgainForgetTheEarlierOnes) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_EQ(run.context().price_lists.Kind(1), 'V');
  DosOrdersDomain again = PricedDomain();
  again.headers = {{1, "bez rodzaju", "", ""}};
  again.positions = {{5, "N", "1", 2, "22", ""}};
  WriteOrdersDomain(site_, again);
  ASSERT_TRUE(RecordResult(run.context(), convert::ConvertPriceLists(run.context())));
  EXPECT_EQ(run.context().price_lists.Kind(1), '\0');
  EXPECT_EQ(run.context().price_lists.Kind(2), '\0');
  EXPECT_EQ(run.context().price_lists.FindVat(" 3K17"), std::nullopt);
  EXPECT_EQ(run.context().price_lists.FindPrice(" 5N1"), 200);
}

TEST_F(OrdersDomainTest, OrdersOfTheLaterEditionWithSettlementsAndIssues) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();

  const auto cards = Records(run, "BAZA/ZLECENIA/kart_zam.dbf");
  EXPECT_THAT(Column(cards, "ID_ZAM"), ElementsAre("00000001", "00000002"));
  EXPECT_THAT(Column(cards, "NR_ZAM"), ElementsAre("101", "103"));
  EXPECT_THAT(Column(cards, "TYP_DOK"), ElementsAre("FV", "RU"));
  EXPECT_THAT(Column(cards, "D_WPLYWU"), ElementsAre("2024-01-05", "1900-01-01"));
  EXPECT_THAT(Column(cards, "REJ_SPRZ"), ElementsAre("true", "false"));  // '?' reads false
  EXPECT_THAT(Column(cards, "KWOTA_F"), ElementsAre("10.0", "0.0"));
  EXPECT_THAT(Column(cards, "D_ZAK"), ElementsAre("", ""));
  EXPECT_THAT(Column(cards, "ETAP_F"), ElementsAre("0", "0"));  // blank in the source
  EXPECT_THAT(Column(cards, "D_ODS"), ElementsAre("", ""));
  EXPECT_EQ(cards[0].at("ID_OSOBY"), run.context().tables().persons.LookUp(5));
  EXPECT_EQ(cards[0].at("ID_KERG"), run.context().tables().works.LookUp(40));
  EXPECT_EQ(cards[0].at("ID_OBSLUGA"), run.context().tables().services.LookUp(2));
  EXPECT_EQ(cards[0].at("ID_ASORT"), run.context().tables().order_assortments.LookUp(3));
  EXPECT_FALSE(cards[0].at("ID_KERG").empty());
  EXPECT_EQ(cards[1].at("ID_OSOBY"), "");
  EXPECT_EQ(run.context().records.orders.LookUp(3), "00000002");
  EXPECT_EQ(run.context().records.orders.LookUp(2), "");

  const auto lines = Records(run, "BAZA/ZLECENIA/rozlicz.dbf");
  ASSERT_EQ(lines.size(), 12u);  // 10 settlement lines and 2 issues
  EXPECT_THAT(Column(lines, "ID_ROZL"),
              ElementsAre("00000001", "00000002", "00000003", "00000004", "00000005", "00000006",
                          "00000007", "00000008", "00000009", "0000000A", "0000000B", "0000000C"));
  EXPECT_THAT(Column(lines, "VAT"),
              ElementsAre("22", " 7", "zw", "7%", "", "7", "22", "zw", "", "22", "22", ""));
  EXPECT_THAT(Column(lines, "NETTO"), ElementsAre("100.0", "100.0", "55.0", "44.0", "", "80.0",
                                                  "70.0", "97.0", "", "4.1", "10.0", ""));
  EXPECT_THAT(Column(lines, "POZYCJA"),
              ElementsAre("7", "8", "9", "10", "11", "", "", "1", "7", "7", "00007", "00008"));
  EXPECT_THAT(Column(lines, "NR_POZ"),
              ElementsAre("1", "2", "1", "2", "3", "4", "5", "6", "8", "11", "", ""));
  // r_ceny 120 does not fit R_ceny N(2); the rest of the line is kept.
  EXPECT_THAT(Column(lines, "R_CENY"),
              ElementsAre("3", "3", "3", "3", "3", "1", "1", "2", "", "3", "4", "4"));
  EXPECT_EQ(lines[8].at("WARTOSC"), "8.0");
  EXPECT_THAT(Column(lines, "ID_ZAM"),
              ElementsAre("00000001", "00000001", "00000002", "00000002", "00000002", "00000001",
                          "00000001", "00000001", "00000001", "", "00000002", "00000001"));
  // The settlement record table skips the kind M line, which takes no number; a line
  // whose card was not written is still numbered.
  EXPECT_EQ(run.context().records.settlements.LookUp(8), "00000008");
  EXPECT_EQ(run.context().records.settlements.LookUp(9), "");
  EXPECT_EQ(run.context().records.settlements.LookUp(10), "00000009");
  EXPECT_EQ(run.context().records.settlements.LookUp(13), "0000000A");

  const Record& issue = lines[10];
  EXPECT_EQ(issue.at("NR_ROMAP"), "  7");
  EXPECT_EQ(issue.at("GODLO"), "A-1");
  EXPECT_EQ(issue.at("ILOSC"), "3.0");
  EXPECT_EQ(issue.at("WSPCZYNNIK"), "1.0");
  EXPECT_EQ(issue.at("WART_POSR"), "3.25");
  EXPECT_EQ(issue.at("ID_TWORZ"), run.context().creator_identifier);
  EXPECT_EQ(lines[11].at("WART_POSR"), "");
  // The issues get a table progress of their own on the same table.
  const auto& captions = run.progress().tables;
  EXPECT_EQ(std::count(captions.begin(), captions.end(), "Tworzenie tabeli: rozlicz.dbf"), 2);
  EXPECT_THAT(run.SequenceRows(),
              ElementsAre("DOSTAWY=1", "kart_zam=3", "rozlicz=13", "nrkp=3", "opis_wsp=3"));
}

TEST_F(OrdersDomainTest, SelfStandingLinesFlagTheirReceiptThroughItsTag) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();

  const auto receipts = Records(run, "BAZA/ZLECENIA/nrkp.dbf");
  EXPECT_THAT(Column(receipts, "ID_KP"), ElementsAre("00000001", "00000002"));
  EXPECT_THAT(Column(receipts, "SAMO_KP"), ElementsAre("", "K"));
  EXPECT_THAT(Column(receipts, "D_KP"), ElementsAre("2024-01-10", ""));
  const auto flagged = TagKeys(run, "BAZA/ZLECENIA/nrkp.mdx", "SAMO_KP_NR");
  ASSERT_EQ(flagged.size(), 2u);
  EXPECT_EQ(flagged[0].key, " KP/1      ");
  EXPECT_EQ(flagged[1].key, "KKP/3      ");
  EXPECT_EQ(flagged[1].record, 2u);

  const auto lines = Records(run, "BAZA/ZLECENIA/elkp.dbf");
  EXPECT_THAT(Column(lines, "ID_KP"),
              ElementsAre("00000001", "00000002", "00000002", "", "00000001"));
  EXPECT_THAT(Column(lines, "ID_ZAM"),
              ElementsAre("00000001", "FFFFFFFF", "FFFFFFFF", "FFFFFFFF", ""));
  EXPECT_THAT(Column(lines, "ODSETKI"), ElementsAre("false", "true", "false", "false", "false"));
  EXPECT_THAT(Column(lines, "ID_REK"), ElementsAre("", "", "", "", ""));
  EXPECT_EQ(TagKeys(run, "BAZA/ZLECENIA/elkp.mdx", "ID_KP").size(), 5u);
}

TEST_F(OrdersDomainTest, TemplatesKeepKindMAndDeriveTheirVat) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();
  const auto templates = Records(run, "BAZA/ZLECENIA/wzorce.dbf");
  EXPECT_THAT(Column(templates, "NAZWA_WZ"),
              ElementsAre("wzor M", "wzor V", "wzor bez", "wzor duzy"));
  EXPECT_THAT(Column(templates, "VAT"), ElementsAre("22", "0", "", ""));
  EXPECT_THAT(Column(templates, "NETTO"), ElementsAre("1.64", "50.0", "", ""));
  EXPECT_THAT(Column(templates, "POZYCJA"), ElementsAre("00007", "", "55", "7"));
  // The tag over str(R_ceny,2) keys the overflowed 120 as " 0".
  const auto cennik = TagKeys(run, "BAZA/ZLECENIA/wzorce.mdx", "CENNIK");
  ASSERT_EQ(cennik.size(), 4u);
  EXPECT_EQ(cennik[0].key, " 0K1   7    ");
  EXPECT_EQ(cennik[0].record, 4u);
  EXPECT_EQ(cennik[1].key, " 1          ");
}

TEST_F(OrdersDomainTest, CoefficientsStatutoryInterestAndSalesRegister) {
  PreparedRun& run = Run(PricedDomain());
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();
  const auto descriptions = Records(run, "BAZA/ZLECENIA/opis_wsp.dbf");
  EXPECT_THAT(Column(descriptions, "ID_WSPK"), ElementsAre("0001", "0002"));
  EXPECT_THAT(Column(descriptions, "KOD_WSPK"), ElementsAre("W1", "W3"));
  const auto parts = Records(run, "BAZA/ZLECENIA/wsprozl.dbf");
  EXPECT_THAT(Column(parts, "ID_ROZL"), ElementsAre("00000001", "", "00000002", "00000003"));
  EXPECT_THAT(Column(parts, "ID_WSPK"), ElementsAre("0002", "0001", "", ""));
  EXPECT_THAT(Column(parts, "WSP_CZESC"), ElementsAre("0.5", "0.6", "0.7", "0.8"));
  const auto interest = Records(run, "BAZA/ZLECENIA/ustawowe.dbf");
  EXPECT_THAT(Column(interest, "D_OD"), ElementsAre("2002-01-01", ""));
  EXPECT_THAT(Column(interest, "STOPA"), ElementsAre("0.12", "0.115"));
  EXPECT_EQ(TagKeys(run, "BAZA/ZLECENIA/ustawowe.mdx", "D_OD").size(), 2u);
  // The sales register: its dates by the date rule (no date at all stays empty).
  const auto sales = Records(run, "BAZA/ZLECENIA/nrej_sp.dbf");
  EXPECT_THAT(Column(sales, "D_POCZREJ"), ElementsAre("2004-01-01", "2003-01-01", "1900-01-01"));
  EXPECT_THAT(Column(sales, "D_KONREJ"), ElementsAre("", "2003-12-31", "2003-12-31"));
  const auto starts = TagKeys(run, "BAZA/ZLECENIA/nrej_sp.mdx", "D_POCZREJ");
  ASSERT_EQ(starts.size(), 3u);
  EXPECT_EQ(starts[0].record, 3u);  // in date order: 1900, 2003, 2004
  EXPECT_EQ(starts[1].record, 2u);
  EXPECT_EQ(starts[2].record, 1u);
}

TEST_F(OrdersDomainTest, OptionalSourcesMissingLeaveNoTableAndNoMessage) {
  DosOrdersDomain d = PricedDomain();
  d.missing = {"ustawowe.dbf", "nrej_sp.dbf"};
  PreparedRun& run = Run(d);
  EXPECT_TRUE(run.context().status.ok()) << run.context().status.error();
  EXPECT_TRUE(run.messages().shown.empty());
  EXPECT_FALSE(Exists(run, "BAZA/ZLECENIA/ustawowe.dbf"));
  EXPECT_FALSE(Exists(run, "BAZA/ZLECENIA/nrej_sp.dbf"));
  EXPECT_TRUE(Exists(run, "BAZA/ZLECENIA/wsprozl.dbf"));
}

TEST_F(OrdersDomainTest, EarlierEditionDerivesTheDocumentTypeAndHasNoPositionNumbers) {
  DosOrdersDomain d = PricedDomain();
  d.later_edition = false;
  d.cards = {{1, 1, 0, 0, 0, 0, "", "20240101", 0, "T", "", true},   // FV whatever d_fakt
             {2, 2, 0, 0, 0, 0, "", "20240101", 0, "F", "", false},  // RU
             {3, 3, 0, 0, 0, 0, "", "", 0, "F", "", false}};         // neither
  PreparedRun& run = Run(d);
  ASSERT_TRUE(run.context().status.ok()) << run.context().status.error();
  const auto cards = Records(run, "BAZA/ZLECENIA/kart_zam.dbf");
  EXPECT_THAT(Column(cards, "TYP_DOK"), ElementsAre("FV", "RU", ""));
  const auto lines = Records(run, "BAZA/ZLECENIA/rozlicz.dbf");
  ASSERT_EQ(lines.size(), 12u);
  for (const Record& line : lines) EXPECT_EQ(line.at("NR_POZ"), "");
}

// Each required source missing in turn: the run stops with its path, and what was
// completed before it stays.
struct MissingSource {
  std::string file;
  std::vector<std::string> present;  // output tables complete before the failure
  std::vector<std::string> absent;
  std::vector<std::string> sequence;
};

void PrintTo(const MissingSource& missing, std::ostream* out) {
  *out << missing.file;
}

class MissingSourceTest : public OrdersDomainTest,
                          public ::testing::WithParamInterface<MissingSource> {};

TEST_P(MissingSourceTest, StopsWithThePathAndKeepsWhatWasDone) {
  DosOrdersDomain d = PricedDomain();
  d.missing = {GetParam().file};
  PreparedRun& run = Run(d);
  const std::string& error = run.context().status.error();
  EXPECT_EQ(error.rfind("B\xB3\xB9"
                        "d podczas otwarcia pliku: ",
                        0),
            0u)
      << error;
  EXPECT_NE(error.find(GetParam().file), std::string::npos) << error;
  for (const std::string& table : GetParam().present) EXPECT_TRUE(Exists(run, table)) << table;
  for (const std::string& table : GetParam().absent) EXPECT_FALSE(Exists(run, table)) << table;
  EXPECT_EQ(run.SequenceRows(), GetParam().sequence);
}

INSTANTIATE_TEST_SUITE_P(
    OrdersDomain, MissingSourceTest,
    ::testing::Values(
        MissingSource{"dostawy.dbf", {}, {"BAZA/OBROT/dostawy.dbf"}, {}},
        MissingSource{
            "przychod.dbf", {"BAZA/OBROT/dostawy.dbf"}, {"BAZA/OBROT/przychod.dbf"}, {"DOSTAWY=1"}},
        MissingSource{"godla.dbf",
                      {"BAZA/OBROT/ind_map.dbf"},
                      {"BAZA/OBROT/godla.dbf", "BAZA/ZLECENIA/r_ceny.dbf"},
                      {"DOSTAWY=1"}},
        MissingSource{"r_ceny.dbf",
                      {"BAZA/OBROT/godla.dbf"},
                      {"BAZA/ZLECENIA/r_ceny.dbf", "BAZA/ZLECENIA/cenniki.dbf"},
                      {"DOSTAWY=1"}},
        MissingSource{"kart_zam.dbf",
                      {"BAZA/ZLECENIA/cenniki.dbf"},
                      {"BAZA/ZLECENIA/kart_zam.dbf", "BAZA/ZLECENIA/rozlicz.dbf"},
                      {"DOSTAWY=1"}},
        MissingSource{"nrkp.dbf",
                      {"BAZA/ZLECENIA/rozlicz.dbf"},
                      {"BAZA/ZLECENIA/nrkp.dbf", "BAZA/ZLECENIA/elkp.dbf"},
                      {"DOSTAWY=1", "kart_zam=3", "rozlicz=13"}},
        MissingSource{"opis_wsp.dbf",
                      {"BAZA/ZLECENIA/wzorce.dbf"},
                      {"BAZA/ZLECENIA/opis_wsp.dbf", "BAZA/ZLECENIA/wsprozl.dbf"},
                      {"DOSTAWY=1", "kart_zam=3", "rozlicz=13", "nrkp=3"}},
        MissingSource{"ind_map.dbf",
                      {"BAZA/OBROT/dostawy.dbf", "BAZA/OBROT/przychod.dbf"},
                      {"BAZA/OBROT/ind_map.dbf", "BAZA/ZLECENIA/r_ceny.dbf"},
                      {"DOSTAWY=1"}},
        MissingSource{"cenniki.dbf",
                      {"BAZA/ZLECENIA/r_ceny.dbf"},
                      {"BAZA/ZLECENIA/cenniki.dbf", "BAZA/ZLECENIA/kart_zam.dbf"},
                      {"DOSTAWY=1"}},
        MissingSource{"rozlicz.dbf",
                      {"BAZA/ZLECENIA/kart_zam.dbf"},
                      {"BAZA/ZLECENIA/rozlicz.dbf"},
                      {"DOSTAWY=1", "kart_zam=3"}},
        MissingSource{"rozchod.dbf",
                      {"BAZA/ZLECENIA/rozlicz.dbf"},
                      {"BAZA/ZLECENIA/nrkp.dbf"},
                      {"DOSTAWY=1", "kart_zam=3"}},
        MissingSource{"elkp.dbf",
                      {"BAZA/ZLECENIA/rozlicz.dbf"},
                      {"BAZA/ZLECENIA/nrkp.dbf"},
                      {"DOSTAWY=1", "kart_zam=3", "rozlicz=13"}},
        MissingSource{"wzorce.dbf",
                      {"BAZA/ZLECENIA/elkp.dbf"},
                      {"BAZA/ZLECENIA/wzorce.dbf", "BAZA/ZLECENIA/opis_wsp.dbf"},
                      {"DOSTAWY=1", "kart_zam=3", "rozlicz=13", "nrkp=3"}},
        MissingSource{"wsprozl.dbf",
                      {"BAZA/ZLECENIA/opis_wsp.dbf"},
                      {"BAZA/ZLECENIA/wsprozl.dbf", "BAZA/ZLECENIA/ustawowe.dbf"},
                      {"DOSTAWY=1", "kart_zam=3", "rozlicz=13", "nrkp=3", "opis_wsp=3"}}),
    [](const ::testing::TestParamInfo<MissingSource>& param_info) {
      std::string name = param_info.param.file.substr(0, param_info.param.file.find('.'));
      name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
      return name;
    });

}  // namespace
}  // namespace konwerter::testing
