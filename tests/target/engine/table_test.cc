#include "target/engine/table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/text_encoding.h"
#include "target/engine/engine.h"
#include "target/engine/engine_error.h"
#include "target/engine/production_index.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::engine {
namespace {

using platform::CalendarDate;
using testing::ReadDbfWithDbfread;
using testing::TempDir;

constexpr CalendarDate kToday{2024, 5, 17};

// The program's text of a UTF-8 literal.
std::string Cp1250(std::string_view utf8) {
  return platform::Cp1250FromUtf8(utf8);
}

class TableTest : public ::testing::Test {
 protected:
  TableTest() { engine_.set_today(kToday); }

  void Create(std::string_view name, const std::vector<FieldDescriptor>& fields) {
    CreateTable(engine_, dir_.folder(), name, fields);
  }
  std::filesystem::path HostFile(std::string_view name) const { return dir_.path() / name; }

  // The code of the EngineError that `action` throws (none: the test fails).
  template <typename Action>
  EngineErrorCode ErrorOf(Action action) {
    try {
      action();
    } catch (const EngineError& error) {
      return error.code();
    }
    ADD_FAILURE() << "no EngineError";
    return EngineErrorCode::kOther;
  }

  Engine engine_;
  TempDir dir_;
};

const std::vector<FieldDescriptor> kMixedFields = {
    {"Nazwa", FieldType::kCharacter, 20, 0}, {"Kwota", FieldType::kNumeric, 9, 2},
    {"Ilosc", FieldType::kNumeric, 5, 0},    {"Data", FieldType::kDate, 3, 0},
    {"Flaga", FieldType::kLogical, 7, 0},
};

TEST_F(TableTest, ValuesWrittenAreWhatDbfreadReads) {
  Create("Mix.dbf", kMixedFields);
  {
    Table table(engine_, dir_.folder(), "Mix.dbf");
    table.Open();
    table.Append();
    table.SetText("nazwa", Cp1250("Zażółć gęślą jaźń ŻÓŁW"));
    table.SetNumber("KWOTA", 1000);
    table.SetNumber("Ilosc", -42);
    table.SetDate("Data", {2023, 12, 31});
    table.SetLogical("Flaga", true);
    table.Append();  // posts the first record; this one stays blank except for two fields
    table.SetNumber("Kwota", -12.345);
    table.SetLogical("Flaga", false);
    table.Append();
    table.SetText("Nazwa", Cp1250("tekst dłuższy niż dwadzieścia znaków"));
    table.SetText("Kwota", "0.5");
    table.SetText("Data", "20000229");
    table.Finish();
  }
  const auto dbf = ReadDbfWithDbfread(HostFile("Mix.dbf"), "cp852");
  EXPECT_EQ(dbf.version, 0x03);
  EXPECT_EQ(dbf.language_driver, 0x23);
  EXPECT_EQ(dbf.year, 124);
  EXPECT_EQ(dbf.month, 5);
  EXPECT_EQ(dbf.day, 17);
  EXPECT_EQ(dbf.record_count, 3u);
  ASSERT_EQ(dbf.fields.size(), 5u);
  EXPECT_EQ(dbf.fields[0].name, "NAZWA");
  EXPECT_EQ(dbf.fields[3].length, 8);  // date and logical take their fixed widths
  EXPECT_EQ(dbf.fields[4].length, 1);
  EXPECT_EQ(dbf.fields[1].decimal_count, 2);
  ASSERT_EQ(dbf.live_records.size(), 3u);

  const auto& first = dbf.live_records[0];
  EXPECT_EQ(first.values[0], "Zażółć gęślą jaźń ŻÓ");  // cut to the width of 20
  EXPECT_EQ(first.raw[1], "  1000.00");
  EXPECT_EQ(first.values[1], "1000.0");
  EXPECT_EQ(first.raw[2], "  -42");
  EXPECT_EQ(first.values[3], "2023-12-31");
  EXPECT_EQ(first.values[4], "true");

  const auto& second = dbf.live_records[1];
  EXPECT_EQ(second.raw[0], std::string(20, ' '));
  EXPECT_EQ(second.raw[1], "   -12.35");  // halves round away from zero
  EXPECT_EQ(second.values[2], std::nullopt);
  EXPECT_EQ(second.values[3], std::nullopt);
  EXPECT_EQ(second.values[4], "false");

  const auto& third = dbf.live_records[2];
  EXPECT_EQ(third.values[0], "tekst dłuższy niż dw");
  EXPECT_EQ(third.raw[1], "     0.50");
  EXPECT_EQ(third.values[3], "2000-02-29");
  EXPECT_EQ(third.values[4], std::nullopt);

  // Our own reader gives back the program's text and values.
  Table table(engine_, dir_.folder(), "mix");
  table.Open();
  EXPECT_EQ(table.RecordCount(), 3u);
  EXPECT_EQ(table.ReadText("Nazwa"), Cp1250("Zażółć gęślą jaźń ŻÓ"));
  EXPECT_EQ(table.ReadNumber("Kwota"), 1000.0);
  EXPECT_EQ(table.ReadInteger("Ilosc"), -42);
  EXPECT_EQ(table.ReadDate("Data"), (CalendarDate{2023, 12, 31}));
  EXPECT_EQ(table.ReadLogical("Flaga"), true);
  table.Next();
  EXPECT_TRUE(table.IsNull("Nazwa"));
  EXPECT_EQ(table.ReadInteger("Kwota"), -12);  // truncated toward zero
  EXPECT_EQ(table.ReadDate("Data"), std::nullopt);
  table.Next();
  EXPECT_EQ(table.RecordNumber(), 3u);
  table.Next();
  EXPECT_TRUE(table.Eof());
}

// Hears what the engine stores otherwise than given.
struct RecordedAlterations final : ValueObserver {
  struct Alteration {
    ValueAlteration kind;
    std::string field, given, stored;
  };
  void OnAltered(std::string_view, ValueAlteration kind, std::string_view field,
                 std::string_view given, std::string_view stored) override {
    seen.push_back({kind, std::string(field), std::string(given), std::string(stored)});
  }
  std::vector<Alteration> seen;
};

TEST_F(TableTest, NumbersTooWideAreStarFilledAndReported) {
  Create("Liczby.dbf",
         {{"Kwota", FieldType::kNumeric, 5, 2}, {"Sztuk", FieldType::kNumeric, 3, 0}});
  RecordedAlterations observer;
  engine_.set_value_observer(&observer);
  {
    Table table(engine_, dir_.folder(), "Liczby.dbf");
    table.Open();
    table.Append();
    table.SetNumber("Kwota", 9.999);  // rounds to 10.00: still fits
    table.SetNumber("Sztuk", -99);
    table.Append();
    table.SetNumber("Kwota", 99.995);  // rounds to 100.00: six characters
    table.SetNumber("Sztuk", 1000);
    table.Append();
    table.SetText("Kwota", "-10.5");  // text goes the same way as a number
    table.Finish();
  }
  const auto dbf = ReadDbfWithDbfread(HostFile("Liczby.dbf"), "cp852");
  ASSERT_EQ(dbf.live_records.size(), 3u);
  EXPECT_EQ(dbf.live_records[0].raw[0], "10.00");
  EXPECT_EQ(dbf.live_records[0].raw[1], "-99");
  EXPECT_EQ(dbf.live_records[1].raw[0], "*****");
  EXPECT_EQ(dbf.live_records[1].raw[1], "***");
  EXPECT_EQ(dbf.live_records[2].raw[0], "*****");
  engine_.set_value_observer(nullptr);
  ASSERT_EQ(observer.seen.size(), 3u);
  EXPECT_EQ(observer.seen[0].field, "KWOTA");
  EXPECT_EQ(observer.seen[0].given, "99.995");
  EXPECT_EQ(observer.seen[0].stored, "*****");
  EXPECT_EQ(observer.seen[1].given, "1000");
  EXPECT_EQ(observer.seen[2].given, "-10.5");
}

// A text longer than its field is cut; only a cut that loses non-blank text is reported.
TEST_F(TableTest, TextsCutWithTheirWordsAreReported) {
  Create("Teksty.dbf", {{"Nazwa", FieldType::kCharacter, 4, 0}});
  RecordedAlterations observer;
  engine_.set_value_observer(&observer);
  Table table(engine_, dir_.folder(), "Teksty.dbf");
  table.Open();
  table.Append();
  table.SetText("Nazwa", "Abcd    ");  // only spaces beyond the width
  table.Append();
  table.SetText("Nazwa", "Abcde");
  table.Finish();
  engine_.set_value_observer(nullptr);
  ASSERT_EQ(observer.seen.size(), 1u);
  EXPECT_EQ(observer.seen[0].kind, ValueAlteration::kTextCut);
  EXPECT_EQ(observer.seen[0].given, "Abcde");
  EXPECT_EQ(observer.seen[0].stored, "Abcd");
}

// A star-filled number keys as 0, alone and under STR(), so its record stays in the tags
// and another reader walks them in order.
TEST_F(TableTest, StarFilledNumbersKeyAsZeroUnderEveryTag) {
  Create("Ceny.dbf", {{"R_ceny", FieldType::kNumeric, 2, 0}, {"Kod", FieldType::kCharacter, 2, 0}});
  {
    Table table(engine_, dir_.folder(), "Ceny.dbf");
    table.Open();
    table.AddIndex("R_CENY", "R_ceny", false);
    table.AddIndex("CENNIK", "str(R_ceny,2)+Kod", true);
    for (const double number : {7.0, 120.0, 1.0}) {
      table.Append();
      table.SetNumber("R_ceny", number);
      table.SetText("Kod", "A");
    }
    table.Finish();
  }
  EXPECT_EQ(ReadDbfWithDbfread(HostFile("Ceny.dbf")).live_records[1].raw[0], "**");
  std::vector<std::string> seen;
  for (const auto& tag : testing::ReadMdxWithXBase(HostFile("Ceny.mdx"))) {
    for (const auto& key : tag.keys) {
      seen.push_back(tag.name + ":" + std::to_string(key.record) + ":" +
                     (tag.name == "CENNIK" ? key.key : std::to_string(key.key[0])));
    }
  }
  // XBase lists the tags by name; R_CENY keys carry the exponent byte 52 + E (0 is 52).
  EXPECT_EQ(seen, (std::vector<std::string>{"CENNIK:2: 0A ", "CENNIK:3: 1A ", "CENNIK:1: 7A ",
                                            "R_CENY:2:52", "R_CENY:3:53", "R_CENY:1:53"}));
}

TEST_F(TableTest, PendingAppendIsPostedByNextAppendAndByClose) {
  Create("Dopisz", {{"Kod", FieldType::kCharacter, 4, 0}});
  Table table(engine_, dir_.folder(), "Dopisz");
  table.Open();
  table.Append();
  table.SetText("Kod", "A");
  table.Append();
  table.SetText("Kod", "B");
  EXPECT_EQ(table.RecordCount(), 1u);
  table.Finish();
  const auto dbf = ReadDbfWithDbfread(HostFile("Dopisz.dbf"), "cp852");
  ASSERT_EQ(dbf.live_records.size(), 2u);
  EXPECT_EQ(dbf.live_records[1].values[0], "B");
  EXPECT_EQ(dbf.record_count, 2u);
}

TEST_F(TableTest, EditChangesTheCurrentRecordOnly) {
  Create("Zmiany.dbf", {{"Kod", FieldType::kCharacter, 4, 0}, {"Ile", FieldType::kNumeric, 4, 0}});
  Table table(engine_, dir_.folder(), "Zmiany.dbf");
  table.Open();
  for (int i = 1; i <= 3; ++i) {
    table.Append();
    table.SetText("Kod", "K" + std::to_string(i));
    table.SetNumber("Ile", i);
  }
  table.Post();
  table.First();
  table.Next();
  table.Edit();
  table.SetNumber("Ile", 20);
  table.Post();
  EXPECT_THROW(table.SetNumber("Ile", 1), EngineError);  // no record being edited
  table.Finish();
  const auto dbf = ReadDbfWithDbfread(HostFile("Zmiany.dbf"), "cp852");
  ASSERT_EQ(dbf.live_records.size(), 3u);
  EXPECT_EQ(dbf.live_records[0].values[1], "1");
  EXPECT_EQ(dbf.live_records[1].values[1], "20");
  EXPECT_EQ(dbf.live_records[1].values[0], "K2");
  EXPECT_EQ(dbf.live_records[2].values[1], "3");
}

// Records are filled in place in the file's append buffer, which is written a megabyte at a
// time: records on both sides of a write, edited before and after it, read back right.
TEST_F(TableTest, AppendsAcrossBufferWritesKeepEveryRecordAndEdit) {
  Create("Dlugie.dbf", {{"Nr", FieldType::kNumeric, 6, 0},
                        {"Opis", FieldType::kCharacter, 254, 0},
                        {"Reszta", FieldType::kCharacter, 254, 0},
                        {"Data", FieldType::kDate, 8, 0}});
  constexpr int kRecords = 5000;  // about 520 bytes each: several buffer writes
  const auto text_of = [](int n) { return "rekord " + std::to_string(n); };
  Table table(engine_, dir_.folder(), "Dlugie.dbf");
  table.Open();
  for (int n = 1; n <= kRecords; ++n) {
    table.Append();
    table.SetNumber("Nr", n);
    table.SetText("Opis", text_of(n));
    if (n % 3 == 0) table.SetDate("Data", {2001, 2, 3});
    EXPECT_EQ(table.ReadInteger("Nr"), n);  // the record being appended
  }
  table.Post();
  EXPECT_EQ(table.RecordCount(), static_cast<std::uint32_t>(kRecords));
  table.First();  // long since written
  table.Edit();
  table.SetText("Reszta", "pierwszy");
  table.Post();
  for (int n = 1; n < kRecords; ++n) table.Next();  // still in the buffer
  table.Edit();
  table.SetText("Reszta", "ostatni");
  table.Append();  // posts the edit; this record is left blank
  table.Finish();

  const auto dbf = ReadDbfWithDbfread(HostFile("Dlugie.dbf"), "cp852");
  ASSERT_EQ(dbf.live_records.size(), static_cast<std::size_t>(kRecords + 1));
  EXPECT_EQ(dbf.record_count, static_cast<std::uint32_t>(kRecords + 1));
  for (int n = 1; n <= kRecords; ++n) {
    const auto& values = dbf.live_records[static_cast<std::size_t>(n - 1)].values;
    ASSERT_EQ(values[0], std::to_string(n));
    ASSERT_EQ(values[1], text_of(n));
    if (n % 3 == 0) {
      ASSERT_EQ(values[3], "2001-02-03") << n;
    } else {
      ASSERT_EQ(values[3], std::nullopt) << n;
    }
  }
  EXPECT_EQ(dbf.live_records[0].values[2], "pierwszy");
  EXPECT_EQ(dbf.live_records[kRecords - 1].values[2], "ostatni");
  EXPECT_EQ(dbf.live_records[kRecords].values[0], std::nullopt);
}

TEST_F(TableTest, MissingFolderAndTableHaveTheirOwnCodes) {
  Table no_folder(engine_, dir_.Join("BRAK\\"), "Osoby.dbf");
  EXPECT_EQ(ErrorOf([&] { no_folder.Open(); }), EngineErrorCode::kInvalidDirectory);
  EXPECT_EQ(ErrorOf([&] { CreateTable(engine_, dir_.Join("BRAK"), "Osoby.dbf", kMixedFields); }),
            EngineErrorCode::kInvalidDirectory);
  Table no_table(engine_, dir_.folder(), "Osoby.dbf");
  EXPECT_EQ(ErrorOf([&] { no_table.Open(); }), EngineErrorCode::kNoSuchTable);
  EXPECT_FALSE(no_table.is_open());
}

TEST_F(TableTest, DamagedHeaderGivesOtherErrorNotACrash) {
  Create("Dobra.dbf", kMixedFields);
  {
    Table table(engine_, dir_.folder(), "Dobra.dbf");
    table.Open();
    table.Append();
    table.SetText("Nazwa", "x");
    table.Finish();
  }
  const std::vector<std::uint8_t> good = testing::ReadFileBytes(HostFile("Dobra.dbf"));
  struct Damage {
    const char* what;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
  };
  const std::vector<Damage> damages = {
      {"record count beyond the file", 4, {0xFF, 0xFF, 0xFF, 0x7F}},
      {"header length beyond the file", 8, {0xFF, 0xFF}},
      {"header length below one header", 8, {0x05, 0x00}},
      {"record length unlike the fields", 10, {0x02, 0x00}},
      {"unknown field type", 32 + 11, {'X'}},
      {"zero field width", 32 + 16, {0x00}},
      {"unknown version", 0, {0x02}},
  };
  for (const Damage& damage : damages) {
    std::vector<std::uint8_t> bytes = good;
    std::copy(damage.bytes.begin(), damage.bytes.end(),
              bytes.begin() + static_cast<long>(damage.offset));
    testing::WriteFileBytes(HostFile("Zla.dbf"), bytes);
    Table table(engine_, dir_.folder(), "Zla.dbf");
    EXPECT_EQ(ErrorOf([&] { table.Open(); }), EngineErrorCode::kOther) << damage.what;
  }
  for (const std::size_t length : {std::size_t{0}, std::size_t{10}, std::size_t{40}}) {
    testing::WriteFileBytes(HostFile("Zla.dbf"),
                            {good.begin(), good.begin() + static_cast<long>(length)});
    Table table(engine_, dir_.folder(), "Zla.dbf");
    EXPECT_EQ(ErrorOf([&] { table.Open(); }), EngineErrorCode::kOther) << "cut to " << length;
  }
}

// Random damage anywhere in the header: opening either works or throws EngineError, and a
// table that opens can be walked and read to the end.
TEST_F(TableTest, RandomlyDamagedHeadersNeverCrash) {
  Create("Dobra.dbf", kMixedFields);
  {
    Table table(engine_, dir_.folder(), "Dobra.dbf");
    table.Open();
    for (int i = 0; i < 3; ++i) {
      table.Append();
      table.SetText("Nazwa", "abc");
      table.SetNumber("Kwota", i);
    }
    table.Finish();
  }
  const std::vector<std::uint8_t> good = testing::ReadFileBytes(HostFile("Dobra.dbf"));
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> bytes = good;
    const std::size_t header = 32 + 32 * kMixedFields.size() + 1;
    for (int flips = 1 + round % 3; flips > 0; --flips) {
      bytes[random() % header] = static_cast<std::uint8_t>(random());
    }
    if (round % 5 == 0) bytes.resize(random() % bytes.size());
    testing::WriteFileBytes(HostFile("Zla.dbf"), bytes);
    Table table(engine_, dir_.folder(), "Zla.dbf");
    try {
      table.Open();
      for (table.First(); !table.Eof(); table.Next()) {
        for (const FieldDescriptor& field : table.fields()) table.ReadText(field.name);
      }
    } catch (const EngineError&) {
    }
  }
}

TEST_F(TableTest, RestructureKeepsDataWhenWideningAndAddingFields) {
  Create("Osoby.dbf",
         {{"Nazwa", FieldType::kCharacter, 5, 0}, {"Kwota", FieldType::kNumeric, 5, 1}});
  {
    Table table(engine_, dir_.folder(), "Osoby.dbf");
    table.Open();
    table.Append();
    table.SetText("Nazwa", Cp1250("Łódź"));
    table.SetNumber("Kwota", -12.5);
    table.Append();
    table.Finish();
  }
  const std::vector<RestructuredField> fields = {
      {{"NAZWA", FieldType::kCharacter, 30, 0}, 0},
      {{"KWOTA", FieldType::kNumeric, 8, 2}, 1},
      {{"Nowe", FieldType::kDate, 8, 0}, std::nullopt},
  };
  RestructureTable(engine_, dir_.folder(), "Osoby.dbf", fields);
  const auto dbf = ReadDbfWithDbfread(HostFile("Osoby.dbf"), "cp852");
  ASSERT_EQ(dbf.fields.size(), 3u);
  EXPECT_EQ(dbf.fields[0].length, 30);
  EXPECT_EQ(dbf.fields[2].name, "NOWE");
  ASSERT_EQ(dbf.live_records.size(), 2u);
  EXPECT_EQ(dbf.live_records[0].values[0], "Łódź");
  EXPECT_EQ(dbf.live_records[0].raw[1], "  -12.50");
  EXPECT_EQ(dbf.live_records[0].values[2], std::nullopt);
  EXPECT_EQ(dbf.live_records[1].values[1], std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(HostFile("Osoby.$$$")));
}

std::vector<std::uint32_t> RecordsInKeyOrder(const std::filesystem::path& mdx,
                                             std::string_view tag) {
  std::vector<std::uint32_t> records;
  for (const IndexEntry& entry : ReadProductionIndexKeys(mdx.string(), tag)) {
    records.push_back(entry.record);
  }
  return records;
}

TEST_F(TableTest, TagsAreBuiltOnCloseAndFollowEditsOfKeyFields) {
  Create("Osoby.dbf", {{"Id_osoby", FieldType::kCharacter, 8, 0},
                       {"klucz", FieldType::kCharacter, 10, 0},
                       {"Kwota", FieldType::kNumeric, 8, 2},
                       {"Data", FieldType::kDate, 8, 0}});
  Table table(engine_, dir_.folder(), "Osoby.dbf");
  table.AddIndex("ID_OSOBY", "ID_OSOBY", false);  // on the closed table
  table.AddIndex("upp_klucz", "UPPER(KLUCZ)", true);
  table.AddIndex("KWOTA", "Kwota", false);
  table.AddIndex("DATA", "DATA", false);
  EXPECT_EQ(ErrorOf([&] { table.AddIndex("ZLY", "LOWER(KLUCZ)", true); }), EngineErrorCode::kOther);
  EXPECT_EQ(ErrorOf([&] { table.AddIndex("ZLY", "BRAK", false); }), EngineErrorCode::kOther);
  table.Open();
  ASSERT_EQ(table.index_definitions().size(), 4u);
  EXPECT_EQ(table.index_definitions()[1], (TagDefinition{"UPP_KLUCZ", "UPPER(KLUCZ)"}));
  const struct {
    const char* id;
    const char* key;
    double amount;
    CalendarDate date;
  } rows[] = {{"00000003", "żaba", 12.5, {2024, 5, 17}},
              {"00000001", "Zebra", -3, {1999, 1, 2}},
              {"00000002", "ąb", 0, {2030, 12, 1}}};
  for (const auto& row : rows) {
    table.Append();
    table.SetText("Id_osoby", row.id);
    table.SetText("Klucz", Cp1250(row.key));
    table.SetNumber("Kwota", row.amount);
    table.SetDate("Data", row.date);
  }
  table.Finish();

  const auto header = testing::ReadFileBytes(HostFile("Osoby.dbf"));
  EXPECT_EQ(header[28], 0x01);       // a production index with tags
  EXPECT_EQ(header[32 + 31], 0x01);  // ID_OSOBY is indexed as itself
  EXPECT_EQ(header[64 + 31], 0x00);  // KLUCZ only inside an expression
  const auto mdx = HostFile("Osoby.mdx");
  EXPECT_EQ(RecordsInKeyOrder(mdx, "ID_OSOBY"), (std::vector<std::uint32_t>{2, 3, 1}));
  EXPECT_EQ(RecordsInKeyOrder(mdx, "UPP_KLUCZ"), (std::vector<std::uint32_t>{3, 2, 1}));
  EXPECT_EQ(RecordsInKeyOrder(mdx, "KWOTA"), (std::vector<std::uint32_t>{2, 3, 1}));
  EXPECT_EQ(RecordsInKeyOrder(mdx, "DATA"), (std::vector<std::uint32_t>{2, 1, 3}));

  table.RefreshIndexDefinitions();  // closed: read from the index file
  EXPECT_EQ(table.index_definitions().size(), 4u);
  table.Open();
  EXPECT_EQ(ErrorOf([&] { table.SetCurrentIndex("BRAK"); }), EngineErrorCode::kNoSuchIndex);
  table.SetCurrentIndex("upp_klucz");
  EXPECT_TRUE(table.FindKey(Cp1250("ŻABA")));
  EXPECT_EQ(table.RecordNumber(), 1u);
  EXPECT_FALSE(table.FindKey(Cp1250("żaba")));
  table.SetCurrentIndex("KWOTA");
  EXPECT_TRUE(table.FindKey("-3"));
  EXPECT_EQ(table.RecordNumber(), 2u);
  table.SetCurrentIndex("DATA");
  EXPECT_TRUE(table.FindKey("20301201"));
  EXPECT_EQ(table.RecordNumber(), 3u);

  table.SetCurrentIndex("ID_OSOBY");
  ASSERT_TRUE(table.FindKey("00000001"));
  table.Edit();
  table.SetText("ID_OSOBY", "00000009");
  table.Post();
  EXPECT_FALSE(table.FindKey("00000001"));
  EXPECT_TRUE(table.FindKey("00000009"));
  EXPECT_EQ(table.RecordNumber(), 2u);
  table.Finish();
  EXPECT_EQ(RecordsInKeyOrder(mdx, "ID_OSOBY"), (std::vector<std::uint32_t>{3, 1, 2}));
}

TEST_F(TableTest, FindEditPostLoopSeesEveryChange) {
  Create("nrkp.dbf",
         {{"Id_kp", FieldType::kCharacter, 8, 0}, {"Samo_Kp", FieldType::kCharacter, 1, 0}});
  Table table(engine_, dir_.folder(), "nrkp.dbf");
  table.AddIndex("ID_KP", "Id_kp", false);
  table.AddIndex("SAMO_KP", "SAMO_KP+ID_KP", true);
  table.Open();
  for (int i = 1; i <= 50; ++i) {
    table.Append();
    table.SetText("Id_kp", std::to_string(1000 + (i * 37) % 50));
  }
  table.SetCurrentIndex("id_kp");
  for (int i = 0; i < 50; i += 7) {
    ASSERT_TRUE(table.FindKey(std::to_string(1000 + i)));
    table.Edit();
    table.SetText("Samo_Kp", "K");
    table.Post();
  }
  table.Append();  // a new record is found too
  table.SetText("Id_kp", "0999");
  ASSERT_TRUE(table.FindKey("0999"));
  EXPECT_EQ(table.RecordNumber(), 51u);
  table.SetCurrentIndex("SAMO_KP");
  ASSERT_TRUE(table.FindKey("K1007"));
  EXPECT_EQ(table.ReadText("Id_kp"), "1007");
  EXPECT_FALSE(table.FindKey(" 1007"));
}

TEST_F(TableTest, DeclaredIndexThatIsMissingGivesNoSuchIndex) {
  Create("Kody.dbf", {{"Kod", FieldType::kCharacter, 4, 0}});
  Table table(engine_, dir_.folder(), "Kody.dbf");
  table.AddIndex("KOD", "KOD", false);
  std::filesystem::remove(HostFile("Kody.mdx"));
  EXPECT_TRUE(table.DeclaredIndexUnreadable());
  EXPECT_EQ(ErrorOf([&] { table.Open(); }), EngineErrorCode::kNoSuchIndex);
  table.RefreshIndexDefinitions();
  EXPECT_TRUE(table.index_definitions().empty());
}

// A table a failure leaves is abandoned: what was posted stays, under a header that declares
// no index, and the index that no longer describes the records goes; a record begun and not
// posted is dropped. A table nothing was written to keeps its index.
TEST_F(TableTest, AnAbandonedTableKeepsItsPostedRecordsAndNoStaleIndex) {
  Create("Kody.dbf", {{"Kod", FieldType::kCharacter, 4, 0}});
  {
    Table table(engine_, dir_.folder(), "Kody.dbf");
    table.AddIndex("KOD", "KOD", false);
    EXPECT_FALSE(table.DeclaredIndexUnreadable());
    table.Open();
    for (const char* code : {"B", "A", "C"}) {
      table.Append();
      table.SetText("Kod", code);
    }
    table.Abandon();  // "C" was never posted
    EXPECT_FALSE(table.is_open());
  }
  const auto header = testing::ReadFileBytes(HostFile("Kody.dbf"));
  EXPECT_EQ(header[28], 0x00);
  EXPECT_FALSE(std::filesystem::exists(HostFile("Kody.mdx")));
  const auto dbf = ReadDbfWithDbfread(HostFile("Kody.dbf"), "cp852");
  ASSERT_EQ(dbf.live_records.size(), 2u);
  EXPECT_EQ(dbf.live_records[1].values[0], "A");

  {
    Table table(engine_, dir_.folder(), "Kody.dbf");
    table.AddIndex("KOD", "KOD", false);  // the index again, over both records
    table.Open();
    EXPECT_EQ(table.index_definitions().size(), 1u);
  }  // abandoned unchanged: the index stays
  EXPECT_EQ(testing::ReadFileBytes(HostFile("Kody.dbf"))[28], 0x01);
  EXPECT_EQ(RecordsInKeyOrder(HostFile("Kody.mdx"), "KOD"), (std::vector<std::uint32_t>{2, 1}));
}

TEST_F(TableTest, RestructureRebuildsTheIndexForWiderKeys) {
  Create("Nazwy.dbf", {{"Nazwa", FieldType::kCharacter, 3, 0}});
  {
    Table table(engine_, dir_.folder(), "Nazwy.dbf");
    table.AddIndex("NAZWA", "NAZWA", false);
    table.Open();
    for (const char* name : {"bbb", "aaa"}) {
      table.Append();
      table.SetText("Nazwa", name);
    }
    table.Finish();
  }
  RestructureTable(engine_, dir_.folder(), "Nazwy.dbf",
                   std::vector<RestructuredField>{{{"NAZWA", FieldType::kCharacter, 6, 0}, 0}});
  const auto entries = ReadProductionIndexKeys(HostFile("Nazwy.mdx").string(), "NAZWA");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(std::string(entries[0].key.begin(), entries[0].key.end()), "aaa   ");
  EXPECT_EQ(entries[0].record, 2u);
}

}  // namespace
}  // namespace konwerter::engine
