#include "source/source_tables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/io_error.h"
#include "tests/source/source_test_tables.h"
#include "tests/support/temp_dir.h"

namespace konwerter::source {
namespace {

namespace fs = std::filesystem;
using source::TableFault;
using source::TableFaultKind;
using testing::CutFile;
using testing::PatchFile;
using testing::WriteTable;
using tools::DosField;

// Header length of a table of `fields` fields as the writer stores it (with the 0D byte).
std::uint64_t HeaderLength(int fields) {
  return 32 + 32 * static_cast<std::uint64_t>(fields) + 1;
}

class SourceTablesTest : public ::testing::Test {
 protected:
  // OSOBY.DBF: NAZWA C10, ILE N5, KOD C4; three records, the last one deleted.
  std::string WritePersons() {
    WriteTable(dir_.path() / "OSOBY.DBF", {{"NAZWA", 'C', 10}, {"ILE", 'N', 5}, {"KOD", 'C', 4}},
               {{{"Kowalski", "12", tools::DosKey(513)}},
                {{"Nowak", "", tools::DosKey(7)}},
                {{"Lis", "3", tools::DosKey(9)}, true}});
    return dir_.Join("osoby");
  }

  // NUMERY.DBF: ten records whose field NR holds the record number.
  std::string WriteNumbers(int count = 10) {
    std::vector<testing::TestRow> rows;
    for (int i = 0; i < count; ++i) rows.push_back({{std::to_string(i)}});
    WriteTable(dir_.path() / "NUMERY.DBF", {{"NR", 'N', 6}}, rows);
    return dir_.Join("NUMERY.DBF");
  }

  ::konwerter::testing::TempDir dir_;
  CodePages pages_;
  SourceTables tables_{pages_};
};

TEST_F(SourceTablesTest, OpensInTheLowestFreeSlotAndFindsUpperCaseNames) {
  const std::string path = WritePersons();
  EXPECT_EQ(tables_.Open(path), 1);
  EXPECT_EQ(tables_.Open(path), 2);
  EXPECT_EQ(tables_.Open(dir_.Join("Osoby.Dbf")), 3);
  tables_.Close(2);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(tables_.Open(path), 2);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(tables_.RecordCount(2), 3u);
}

TEST_F(SourceTablesTest, AfterAHundredTablesAFurtherOpenGivesStatus1) {
  const std::string path = WritePersons();
  for (int i = 1; i <= kSourceSlotCount; ++i) ASSERT_EQ(tables_.Open(path), i);
  EXPECT_EQ(tables_.Open(path), 0);
  EXPECT_EQ(tables_.status(), kSourceBadHandle);
  tables_.ResetSlots();
  EXPECT_EQ(tables_.Open(path), 1);
}

TEST_F(SourceTablesTest, BadHandlesGiveStatus1) {
  WritePersons();
  for (const TableHandle bad : {0, kSourceSlotCount + 1, -3}) {
    tables_.ReadRecord(bad);
    EXPECT_EQ(tables_.status(), kSourceBadHandle);
    tables_.BindText("nazwa", nullptr);  // no current table: status 7
    EXPECT_TRUE(tables_.AtEnd(bad));
    EXPECT_EQ(tables_.status(), kSourceBadHandle);
    for (const auto& operation : {+[](SourceTables&t, TableHandle h) { t.NextRecord(h); },
                                  +[](SourceTables&t, TableHandle h) { t.GoToRecord(h, 0); },
                                  +[](SourceTables&t, TableHandle h) { t.SetReadAhead(h, 32000); },
                                  +[](SourceTables&t, TableHandle h) { t.Close(h); },
                                  +[](SourceTables&t, TableHandle h) { t.RecordCount(h); }}) {
      tables_.BindText("nazwa", nullptr);
      ASSERT_EQ(tables_.status(), kSourceNoSuchField);
      operation(tables_, bad);
      EXPECT_EQ(tables_.status(), kSourceBadHandle) << "handle " << bad;
    }
  }
}

TEST_F(SourceTablesTest, FreeSlotsLeaveTheStatusOrAnswerAtEnd) {
  WritePersons();
  tables_.BindText("nazwa", nullptr);  // no table open yet
  ASSERT_EQ(tables_.status(), kSourceNoSuchField);
  tables_.ReadRecord(5);
  tables_.NextRecord(5);
  tables_.GoToRecord(5, 0);
  EXPECT_EQ(tables_.status(), kSourceNoSuchField);
  EXPECT_TRUE(tables_.AtEnd(5));
  EXPECT_EQ(tables_.status(), kSourceOk);
  tables_.BindText("nazwa", nullptr);
  tables_.Close(5);
  EXPECT_EQ(tables_.status(), kSourceOk);
}

TEST_F(SourceTablesTest, FailedOpensTakeNoSlot) {
  EXPECT_EQ(tables_.Open(dir_.Join("brak")), 0);
  EXPECT_EQ(tables_.status(), kSourceCannotOpen);

  ::konwerter::testing::WriteFileBytes(dir_.path() / "krotki.dbf",
                                       {3, 99, 1, 1, 0, 0, 0, 0, 65, 0, 1});
  EXPECT_EQ(tables_.Open(dir_.Join("krotki")), 0);
  EXPECT_EQ(tables_.status(), kSourceShortRead);

  const std::string path = WritePersons();
  EXPECT_EQ(tables_.Open(path), 1);
}

// A header that does not describe its file fails the open, says what is wrong and takes no
// slot: such a table cannot be read at all.
TEST_F(SourceTablesTest, AHeaderThatDoesNotDescribeTheFileFailsTheOpenSayingWhy) {
  const fs::path file = dir_.path() / "OSOBY.DBF";
  using source::TableFault;
  using source::TableFaultKind;
  const auto refused = [&](std::size_t offset, std::string bytes, const TableFault& why) {
    const std::string path = WritePersons();
    PatchFile(file, offset, bytes);
    EXPECT_EQ(tables_.Open(path), 0);
    EXPECT_EQ(tables_.status(), kSourceBadStructure);
    EXPECT_TRUE(tables_.last_open_fault() == why)
        << static_cast<int>(tables_.last_open_fault().kind);
  };
  WritePersons();
  const std::uint64_t size = fs::file_size(file);
  refused(8, std::string("\xF0\xFF", 2), {TableFaultKind::kHeaderBeyondFile, 0xFFF0, size});
  refused(8, std::string("\x21\x00", 2), {TableFaultKind::kNoFields, 0x21});
  refused(8, std::string("\x61\x00", 2), {TableFaultKind::kNoDescriptorEnd, 2, 0x61});
  refused(10, std::string("\x00\x00", 2), {TableFaultKind::kZeroRecordLength});
  refused(10, std::string("\x07\x00", 2), {TableFaultKind::kRecordLengthMismatch, 7, 20});
  refused(10, std::string("\x30\x00", 2), {TableFaultKind::kRecordLengthMismatch, 0x30, 20});
  refused(32 + 16, std::string(1, '\0'), {TableFaultKind::kBadDescriptor, 1, 0, "NAZWA", 'C'});
  refused(32 + 11, std::string(1, '\x01'), {TableFaultKind::kBadDescriptor, 1, 10, "NAZWA", 0});
  EXPECT_EQ(tables_.Open(WritePersons()), 1);
  EXPECT_FALSE(tables_.last_open_fault());
}

// dBase III PLUS and Clipper end the header with the 0D terminator, dBase III before III
// PLUS with 0D and a zero byte; a header length that ends it anywhere else would read every
// record out of place, and fails the open.
TEST_F(SourceTablesTest, TheHeaderEndsWhereDbaseThreeWritersEndIt) {
  using source::TableFaultKind;
  const fs::path file = dir_.path() / "OSOBY.DBF";
  const std::uint64_t plain = HeaderLength(3);
  const auto header_length = [&](std::uint64_t length) {
    PatchFile(file, 8,
              std::string{static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)});
  };
  // The same table with the zero byte after its terminator.
  const auto write_padded = [&] {
    WritePersons();
    std::vector<std::uint8_t> bytes = ::konwerter::testing::ReadFileBytes(file);
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(plain), std::uint8_t{0});
    ::konwerter::testing::WriteFileBytes(file, bytes);
    header_length(plain + 1);
  };
  const auto opens_reading = [&](const std::string& first_name) {
    std::string name;
    const TableHandle table = tables_.Open(dir_.Join("osoby"));
    if (table == 0) return std::string("not opened");
    tables_.BindText("NAZWA", &name);
    tables_.ReadRecord(table);
    tables_.Close(table);
    return name == first_name ? std::string() : name;
  };
  const auto refused = [&](std::uint64_t length, std::uint64_t expected) {
    EXPECT_EQ(tables_.Open(dir_.Join("osoby")), 0);
    EXPECT_EQ(tables_.status(), kSourceBadStructure);
    EXPECT_TRUE(tables_.last_open_fault() ==
                (TableFault{TableFaultKind::kHeaderLengthMismatch, length, expected}))
        << static_cast<int>(tables_.last_open_fault().kind) << " " << length;
  };

  WritePersons();
  EXPECT_EQ(opens_reading("Kowalski"), "");
  write_padded();
  EXPECT_EQ(opens_reading("Kowalski"), "");

  for (const std::int64_t off_by : {-1, 1}) {
    WritePersons();
    header_length(plain + off_by);
    refused(plain + off_by, plain);
    write_padded();
    header_length(plain + 1 + off_by);
    refused(plain + 1 + off_by, plain + 1);
  }
}

// The deletion flags of records spread over the table tell whether the header puts them
// where they lie: when most of those sampled are neither a space nor "*", it does not, and
// the open fails; a few damaged records are read around as they are met.
TEST_F(SourceTablesTest, RecordsOutOfPlaceFailTheOpenAndAFewDamagedOnesDoNot) {
  const fs::path file = dir_.path() / "NUMERY.DBF";
  const auto damage = [&](int record) { PatchFile(file, HeaderLength(1) + 7 * record, "X"); };
  const auto opens = [&] {
    const TableHandle table = tables_.Open(dir_.Join("NUMERY.DBF"));
    if (table != 0) tables_.Close(table);
    return table != 0;
  };

  WriteNumbers(10);
  for (const int record : {0, 3, 6, 8, 9}) damage(record);
  EXPECT_TRUE(opens()) << "half the records damaged is no misplacement";
  damage(5);
  EXPECT_FALSE(opens());
  EXPECT_TRUE(tables_.last_open_fault() == (TableFault{TableFaultKind::kRecordsMisaligned, 6, 10}));

  WriteNumbers(1);
  damage(0);
  EXPECT_TRUE(opens()) << "one record tells nothing about the header";

  // A large table: 64 records sampled, the first and the last among them.
  WriteNumbers(5000);
  for (int record = 0; record < 5000; ++record) damage(record);
  EXPECT_FALSE(opens());
  EXPECT_TRUE(tables_.last_open_fault() ==
              (TableFault{TableFaultKind::kRecordsMisaligned, 64, 64}));
  WriteNumbers(5000);
  damage(0);
  damage(4999);
  const TableHandle table = tables_.Open(dir_.Join("NUMERY.DBF"));
  ASSERT_NE(table, 0);
  EXPECT_TRUE(tables_.CurrentRecordDamaged(table));
  tables_.GoToRecord(table, 1);
  EXPECT_FALSE(tables_.CurrentRecordDamaged(table));
}

TEST_F(SourceTablesTest, APathWhoseOnlyDotIsInAFolderGetsNoExtension) {
  fs::create_directories(dir_.path() / "DANE.OLD");
  WriteTable(dir_.path() / "DANE.OLD" / "osoby", {{"NR", 'N', 3}}, {{{"1"}}, {{"2"}}});
  WriteTable(dir_.path() / "DANE.OLD" / "osoby.dbf", {{"NR", 'N', 3}}, {{{"1"}}});
  const TableHandle table = tables_.Open(dir_.Join("dane.old\\osoby"));
  ASSERT_NE(table, 0);
  EXPECT_EQ(tables_.RecordCount(table), 2u);
}

TEST_F(SourceTablesTest, BackslashPathsFindFoldersAndFilesInAnyCase) {
  fs::create_directories(dir_.path() / "terokan" / "GOSOBY");
  WriteTable(dir_.path() / "terokan" / "GOSOBY" / "OSOBY.DBF", {{"NR", 'N', 3}}, {{{"1"}}});
  EXPECT_NE(tables_.Open(dir_.Join("TEROKAN\\gosoby\\osoby")), 0);
  EXPECT_EQ(tables_.status(), kSourceOk);
}

TEST_F(SourceTablesTest, AnEmptyTableIsAtItsEndAtOnce) {
  WriteTable(dir_.path() / "PUSTA.DBF", {{"NR", 'N', 3}}, {});
  const TableHandle table = tables_.Open(dir_.Join("pusta"));
  ASSERT_NE(table, 0);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_TRUE(tables_.AtEnd(table));
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourcePastEnd);
}

TEST_F(SourceTablesTest, WalksEveryRecordDeletedOnesIncluded) {
  const TableHandle table = tables_.Open(WritePersons());
  std::string name;
  std::uint32_t key = 0;
  tables_.BindText("nazwa", &name);
  EXPECT_EQ(tables_.status(), kSourceOk);
  tables_.BindBinary4("KOD", &key);
  std::vector<std::string> names;
  std::vector<bool> deleted;
  while (!tables_.AtEnd(table)) {
    tables_.ReadRecord(table);
    EXPECT_EQ(tables_.status(), kSourceOk);
    names.push_back(name);
    deleted.push_back(tables_.CurrentRecordDeleted(table));
    tables_.NextRecord(table);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Kowalski", "Nowak", "Lis"}));
  EXPECT_EQ(deleted, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(key, 9u);
}

TEST_F(SourceTablesTest, NextOnTheLastRecordStaysOnIt) {
  const TableHandle table = tables_.Open(WritePersons());
  std::string name;
  tables_.BindText("NAZWA", &name);
  tables_.GoToRecord(table, 2);
  tables_.NextRecord(table);
  EXPECT_EQ(tables_.status(), kSourcePastEnd);
  EXPECT_TRUE(tables_.AtEnd(table));
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(name, "Lis");
  tables_.GoToRecord(table, 1);  // a successful positioning clears the end flag
  EXPECT_FALSE(tables_.AtEnd(table));
}

TEST_F(SourceTablesTest, NegativeAndFarRecordNumbersLeaveTheCurrentRecord) {
  const TableHandle table = tables_.Open(WritePersons());
  std::string name;
  tables_.BindText("NAZWA", &name);
  tables_.GoToRecord(table, 1);
  tables_.GoToRecord(table, -1);
  EXPECT_EQ(tables_.status(), kSourceNegativeRecord);
  EXPECT_FALSE(tables_.AtEnd(table));
  tables_.GoToRecord(table, 3);
  EXPECT_EQ(tables_.status(), kSourcePastEnd);
  EXPECT_TRUE(tables_.AtEnd(table));
  tables_.ReadRecord(table);
  EXPECT_EQ(name, "Nowak");
}

// Field names match without regard to letter case, as Clipper and dBase match them: a table
// whose names are stored in lower case reads like any other. A name only begun is no match.
TEST_F(SourceTablesTest, BindingFindsNamesWhateverTheirLetterCase) {
  WriteTable(dir_.path() / "MALE.DBF", {{"nazwa", 'C', 5}, {"Nr", 'N', 2}}, {{{"abc", "1"}}});
  const TableHandle table = tables_.Open(dir_.Join("male"));
  std::string name = "przed";
  std::int32_t number = 0;
  tables_.BindText("NAZ", &name);
  EXPECT_EQ(tables_.status(), kSourceNoSuchField);
  tables_.BindText("NAZWA", &name);
  EXPECT_EQ(tables_.status(), kSourceOk);
  tables_.BindLong("nR", &number);
  EXPECT_EQ(tables_.status(), kSourceOk);
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(name, "abc");
  EXPECT_EQ(number, 1);
}

TEST_F(SourceTablesTest, BindingGoesToTheTableOpenedLast) {
  const TableHandle persons = tables_.Open(WritePersons());
  const TableHandle numbers = tables_.Open(WriteNumbers());
  std::string name = "przed";
  tables_.BindText("NAZWA", &name);
  EXPECT_EQ(tables_.status(), kSourceNoSuchField);
  tables_.ReadRecord(persons);
  EXPECT_EQ(name, "przed");
  std::int32_t number = -1;
  tables_.BindLong("nr", &number);
  tables_.GoToRecord(numbers, 4);
  tables_.ReadRecord(numbers);
  EXPECT_EQ(number, 4);
}

class NumericFieldTest : public SourceTablesTest {
 protected:
  // A: N5, B: N5, C: C3 in one record holding `a`, `b`, "xyz".
  TableHandle OpenWith(const std::string& a, const std::string& b) {
    WriteTable(dir_.path() / "LICZBY.DBF", {{"A", 'N', 5}, {"B", 'N', 5}, {"C", 'C', 3}},
               {{{a, b, "xyz"}}});
    return tables_.Open(dir_.Join("liczby"));
  }
};

TEST_F(NumericFieldTest, SpacesReadAsZero) {
  const TableHandle table = OpenWith("     ", "  -7 ");
  std::int32_t a = 5;
  double b = 0;
  tables_.BindLong("A", &a);
  tables_.BindReal("B", &b);
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, -7.0);
}

TEST_F(NumericFieldTest, AFractionInAnIntegerStopsTheRead) {
  const TableHandle table = OpenWith("12.50", "   33");
  std::int32_t a = 0;
  std::int32_t b = -1;
  std::string c = "przed";
  tables_.BindLong("A", &a);
  tables_.BindLong("B", &b);
  tables_.BindText("C", &c);
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceBadNumber);
  EXPECT_EQ(tables_.conversion_position(), 3);
  EXPECT_EQ(b, -1);
  EXPECT_EQ(c, "przed");

  double real = 0;
  tables_.BindReal("A", &real);  // re-binding: the last binding wins
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(tables_.conversion_position(), 0);
  EXPECT_EQ(real, 12.5);
  EXPECT_EQ(b, 33);
  EXPECT_EQ(c, "xyz");
}

TEST_F(NumericFieldTest, PositionCountsInTheTrimmedText) {
  const TableHandle table = OpenWith("  1x ", "1e3");
  std::uint8_t a = 0;
  double b = 0;
  tables_.BindByte("A", &a);
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceBadNumber);
  EXPECT_EQ(tables_.conversion_position(), 2);
  tables_.BindReal("B", &b);
  tables_.GoToRecord(table, 0);
  tables_.ReadRecord(table);  // A still fails first: B is never reached
  EXPECT_EQ(b, 0.0);
}

TEST_F(NumericFieldTest, ByteAndWordKeepTheLowBits) {
  const TableHandle table = OpenWith("  300", "70000");
  std::uint8_t byte = 0;
  std::uint16_t word = 0;
  tables_.BindByte("A", &byte);
  tables_.BindWord("B", &word);
  tables_.ReadRecord(table);
  EXPECT_EQ(tables_.status(), kSourceOk);
  EXPECT_EQ(byte, 300 % 256);
  EXPECT_EQ(word, 70000 % 65536);
}

TEST_F(NumericFieldTest, RealsTakeExponents) {
  const TableHandle table = OpenWith("-1e-2", "+2.5E");
  double a = 0;
  double b = 0;
  tables_.BindReal("A", &a);
  tables_.BindReal("B", &b);
  tables_.ReadRecord(table);
  EXPECT_EQ(a, -0.01);
  EXPECT_EQ(tables_.status(), kSourceBadNumber);
  EXPECT_EQ(tables_.conversion_position(), 6);  // the exponent has no digits
}

TEST_F(SourceTablesTest, LogicalAndBinaryKinds) {
  WriteTable(dir_.path() / "RODZAJE.DBF",
             {{"L", 'L', 1}, {"K4", 'C', 4}, {"K2", 'C', 2}, {"K1", 'C', 1}},
             {{{"T", std::string("\x01\x02\x00\x00", 4), "\xFF\x7F", "\x05"}},
              {{"y", "\xFF\xFF\xFF\xFF", std::string(1, '\0'), "A"}},
              {{"?", "    ", "  ", " "}},
              {{" ", "", "", ""}},
              {{"t", "", "", ""}}});
  const TableHandle table = tables_.Open(dir_.Join("rodzaje"));
  bool logical = false;
  std::uint32_t k4 = 0;
  std::uint16_t k2 = 0;
  std::uint32_t k1 = 0;
  std::uint16_t k1_as_2 = 0;
  tables_.BindLogical("L", &logical);
  tables_.BindBinary4("K4", &k4);
  tables_.BindBinary2("K2", &k2);
  tables_.BindBinary4("K1", &k1);
  tables_.ReadRecord(table);
  EXPECT_TRUE(logical);
  EXPECT_EQ(k4, 513u);
  EXPECT_EQ(k2, 0x7FFF);
  EXPECT_EQ(k1, 5u);  // completed with zero bytes
  tables_.BindBinary2("K1", &k1_as_2);
  tables_.NextRecord(table);
  tables_.ReadRecord(table);
  EXPECT_TRUE(logical);
  EXPECT_EQ(k4, 0xFFFFFFFFu);
  EXPECT_EQ(k2, 0x2000);  // the zero byte, then the space the writer pads with
  EXPECT_EQ(k1_as_2, 'A');
  tables_.NextRecord(table);
  tables_.ReadRecord(table);
  EXPECT_FALSE(logical);
  EXPECT_EQ(k4, 0x20202020u);
  tables_.NextRecord(table);
  tables_.ReadRecord(table);
  EXPECT_FALSE(logical);
  tables_.NextRecord(table);
  tables_.ReadRecord(table);
  EXPECT_TRUE(logical);
}

TEST_F(SourceTablesTest, TextIsTrimmedTransliteratedAndCutToItsCapacity) {
  // "Łódź  " in code page 852, then a space inside and trailing spaces.
  WriteTable(dir_.path() / "TEKSTY.DBF", {{"T", 'C', 8}, {"U", 'C', 8}},
             {{{"\x9D\xA2\x64\xAB  ", " a b"}}});
  const TableHandle table = tables_.Open(dir_.Join("teksty"));
  std::string text;
  std::string raw;
  std::string short_text;
  tables_.BindText("T", &text);
  tables_.BindRawText("U", &raw);
  tables_.ReadRecord(table);
  EXPECT_EQ(text, "\x9D\xA2\x64\xAB");  // no source code page yet: bytes as stored
  EXPECT_EQ(raw, " a b    ");

  pages_.source = kCp852Page;
  tables_.ReadRecord(table);
  EXPECT_EQ(text, "\xA3\xF3\x64\x9F");  // Łódź in cp1250

  std::string untrimmed;
  tables_.BindUntrimmedText("T", &untrimmed);
  tables_.ReadRecord(table);
  EXPECT_EQ(untrimmed, "\xA3\xF3\x64\x9F    ");

  tables_.BindText("U", &short_text, 3);
  tables_.ReadRecord(table);
  EXPECT_EQ(short_text, " a");  // cut to 3 bytes, then trimmed
}

TEST_F(SourceTablesTest, EachReadReplacesTheWholeTextWhateverItsLength) {
  // Values longer and shorter than the one before, Polish letters past the first eight
  // bytes and among the last ones, and padding of many lengths, through one destination.
  const std::vector<std::string> values = {"Kowalski Jan 123456789",
                                           "Lis",
                                           "",
                                           "abcdefgh\x9D",
                                           "abcdefghijklmno\x9D\xA2",
                                           "a \x9D b",
                                           "Nowak         x",
                                           "1234567",
                                           "12345678",
                                           "\xA5"};
  std::vector<testing::TestRow> rows;
  for (const std::string& value : values) rows.push_back({{value}});
  WriteTable(dir_.path() / "TEKSTY.DBF", {{"T", 'C', 24}}, rows);
  pages_.source = kCp852Page;
  const TableHandle table = tables_.Open(dir_.Join("teksty"));
  tables_.SetReadAhead(table, 32000);
  std::string text = "held before";
  std::string raw;
  tables_.BindText("T", &text);
  tables_.BindRawText("T", &raw, 30);  // the last binding wins: raw gets the field
  tables_.BindText("T", &text, 20);
  for (const std::string& value : values) {
    tables_.ReadRecord(table);
    const std::string cut = value.substr(0, 20);
    EXPECT_EQ(text, ToProgramText(cut.substr(0, cut.find_last_not_of(' ') + 1), pages_));
    EXPECT_TRUE(raw.empty());
    tables_.NextRecord(table);
  }
  EXPECT_TRUE(tables_.AtEnd(table));
}

TEST_F(SourceTablesTest, GoingToARecordInTheWindowReadsNoFile) {
  const std::string path = WriteNumbers();
  const fs::path file = dir_.path() / "NUMERY.DBF";
  const TableHandle table = tables_.Open(path);
  tables_.SetReadAhead(table, 32000);
  EXPECT_EQ(tables_.status(), kSourceOk);
  std::int32_t number = -1;
  tables_.BindLong("NR", &number);

  const std::uint64_t record_5 = HeaderLength(1) + 5 * 7 + 1;
  PatchFile(file, record_5, "    55");
  tables_.GoToRecord(table, 5);
  tables_.ReadRecord(table);
  EXPECT_EQ(number, 5);  // from the window filled at SetReadAhead
  tables_.GoToRecord(table, 5);
  tables_.ReadRecord(table);
  EXPECT_EQ(number, 55);  // the current record again always re-reads
  tables_.NextRecord(table);
  tables_.ReadRecord(table);
  EXPECT_EQ(number, 6);
}

TEST_F(SourceTablesTest, WithoutReadAheadEveryMoveReads) {
  const TableHandle table = tables_.Open(WriteNumbers());
  std::int32_t number = -1;
  tables_.BindLong("NR", &number);
  PatchFile(dir_.path() / "NUMERY.DBF", HeaderLength(1) + 3 * 7 + 1, "    33");
  tables_.GoToRecord(table, 3);
  tables_.ReadRecord(table);
  EXPECT_EQ(number, 33);
}

TEST_F(SourceTablesTest, ReadAheadBelowOneRecordChangesNothing) {
  std::vector<DosField> wide;
  for (int i = 0; i < 126; ++i) wide.push_back({"F" + std::to_string(i), 'C', 255});
  WriteTable(dir_.path() / "SZEROKA.DBF", wide, {{std::vector<std::string>(126, "x")}});
  const TableHandle table = tables_.Open(dir_.Join("szeroka"));
  ASSERT_NE(table, 0);
  tables_.BindText("BRAK", nullptr);
  tables_.SetReadAhead(table, 32000);  // 32131-byte records
  EXPECT_EQ(tables_.status(), kSourceNoSuchField);
  std::string last;
  tables_.BindText("F125", &last);
  tables_.ReadRecord(table);
  EXPECT_EQ(last, "x");
}

// A count the file cannot hold (a crash while appending, a damaged header) is read as far as
// whole records go, and said; a walk over such a table ends after them.
TEST_F(SourceTablesTest, ARecordCountTheFileCannotHoldIsCutToItsWholeRecords) {
  const std::string path = WriteNumbers(4);
  const fs::path file = dir_.path() / "NUMERY.DBF";
  const auto walk = [&](std::string count) {
    PatchFile(file, 4, count);
    std::int32_t number = -1;
    const TableHandle table = tables_.Open(path);
    tables_.BindLong("NR", &number);
    tables_.SetReadAhead(table, 32000);
    std::vector<std::int32_t> read;
    for (; !tables_.AtEnd(table) && read.size() < 10; tables_.NextRecord(table)) {
      tables_.ReadRecord(table);
      read.push_back(number);
    }
    tables_.Close(table);
    return read;
  };
  EXPECT_EQ(walk(std::string("\x08\x00\x00\x00", 4)), (std::vector<std::int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(tables_.last_short_table(), (source::ShortTable{8, 4}));
  EXPECT_EQ(walk(std::string("\xFF\xFF\xFF\xFF", 4)), (std::vector<std::int32_t>{0, 1, 2, 3}));
  EXPECT_EQ(tables_.last_short_table(), (source::ShortTable{4294967295u, 4}));
  EXPECT_EQ(tables_.RecordCount(tables_.Open(path)), 4u);

  // The last record cut short by the end of the file is not delivered.
  PatchFile(file, 4, std::string("\x04\x00\x00\x00", 4));
  CutFile(file, HeaderLength(1) + 3 * 7 + 4);
  EXPECT_EQ(walk(std::string("\x04\x00\x00\x00", 4)), (std::vector<std::int32_t>{0, 1, 2}));
  EXPECT_EQ(tables_.last_short_table(), (source::ShortTable{4, 3}));
  // A sound table says nothing.
  WriteNumbers(4);
  EXPECT_EQ(walk(std::string("\x04\x00\x00\x00", 4)).size(), 4u);
  EXPECT_EQ(tables_.last_short_table(), source::ShortTable{});
}

TEST_F(SourceTablesTest, CloseAllFreesEverySlot) {
  const std::string path = WritePersons();
  tables_.Open(path);
  tables_.Open(path);
  tables_.CloseAll();
  EXPECT_FALSE(tables_.Describe(1).has_value());
  EXPECT_EQ(tables_.Open(path), 1);
  const std::optional<SourceTableInfo> info = tables_.Describe(1);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->header_length, HeaderLength(3));
  EXPECT_EQ(info->record_length, 1 + 10 + 5 + 4);
  ASSERT_EQ(info->fields.size(), 3u);
  EXPECT_EQ(info->fields[1].name, "ILE");
  EXPECT_EQ(info->fields[1].type, 'N');
}

}  // namespace
}  // namespace konwerter::source
