#include "run/ledger_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/text_encoding.h"
#include "tests/support/temp_dir.h"

namespace konwerter::run {
namespace {

using ::testing::StartsWith;

// Every row has its ten fields, whatever is empty; a field holding the separator or a quote
// is quoted with its quotes doubled; the system's texts arrive as UTF-8.
TEST(LedgerFileTest, RowsKeepTheirTenFieldsQuotedWhereNeededInUtf8) {
  LedgerRow row;
  row.record = 0;
  row.key = platform::Cp1250FromUtf8("Łódź");
  row.event = LedgerEvent::kAltered;
  row.change = ValueChange::kTextCut;
  row.field = "NAZWA";
  row.source_value = "a;b \"c\"";
  row.written_value = "a;b";
  const std::string line = LedgerLine(row, "", "/out/BAZA/OSOBY/Osoby.dbf");
  EXPECT_EQ(line,
            ";;Łódź;/out/BAZA/OSOBY/Osoby.dbf;zmieniony;tekst_obciety;tekst dłuższy niż pole: "
            "obcięty;NAZWA;\"a;b \"\"c\"\"\";\"a;b\"");

  row.event = LedgerEvent::kSkipped;
  row.skip = SkipReason::kKeyNotSet;
  row.record = 12;
  row.detail = "GMINA.DBF";
  EXPECT_THAT(LedgerLine(row, "/dos/OSOBY.DBF", "/out/Osoby.dbf"),
              StartsWith("/dos/OSOBY.DBF;12;Łódź;/out/Osoby.dbf;pominięty;brak_klucza;klucz "
                         "rekordu nie jest ustawiony (0, spacje lub FFFFFFFF) (GMINA.DBF);"));
}

TEST(LedgerFileTest, TheFileStartsWithAByteOrderMarkAndItsPolishHeader) {
  testing::TempDir dir;
  {
    LedgerFile file(dir.Join("rekordy.csv"));
    LedgerRow row;
    row.record = 3;
    file.Write(row);
    file.Close();
  }
  std::ifstream in(dir.path() / "rekordy.csv", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_THAT(text.str(), StartsWith("\xEF\xBB\xBFplik źródłowy;numer rekordu;klucz;"));
  EXPECT_THAT(text.str(), ::testing::EndsWith("\r\n;3;;;pominięty;brak_klucza;klucz rekordu nie "
                                              "jest ustawiony (0, spacje lub FFFFFFFF);;;\r\n"));
}

}  // namespace
}  // namespace konwerter::run
