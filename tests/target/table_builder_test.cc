// The table builder on the cases that go wrong in practice: the forms a schema or index
// string may take, tables that already exist (with data, without an index, narrower or
// missing fields), a folder that does not exist yet.

#include "target/table_builder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/text_encoding.h"
#include "target/engine/engine.h"
#include "target/engine/production_index.h"
#include "target/engine/table.h"
#include "tests/oracles/oracles.h"
#include "tests/support/temp_dir.h"

namespace konwerter::target {
namespace {

namespace oracle = konwerter::testing;

using engine::FieldType;

std::string Cp1250(std::string_view utf8) {
  return platform::Cp1250FromUtf8(utf8);
}

// A field as "NAME T width.decimals", the name in upper case as the file keeps it.
std::string Describe(const engine::FieldDescriptor& field) {
  std::string name = field.name;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name + " " + static_cast<char>(field.type) + " " + std::to_string(field.width) + "." +
         std::to_string(field.decimals);
}

std::vector<std::string> Describe(const std::vector<engine::FieldDescriptor>& fields) {
  std::vector<std::string> out;
  for (const auto& field : fields) out.push_back(Describe(field));
  return out;
}

std::vector<std::string> TagNames(const engine::Table& table) {
  std::vector<std::string> names;
  for (const auto& tag : table.index_definitions()) names.push_back(tag.name);
  return names;
}

class TableBuilderTest : public ::testing::Test {
 protected:
  TableBuilderTest() {
    ConfigureEngine(engine_, false);
    engine_.set_today({2024, 5, 17});
  }

  // Runs the builder on a fresh table object for `name` in the test's folder (or `folder`).
  std::unique_ptr<engine::Table> Build(std::string_view name, std::string_view schema,
                                       std::string_view indexes, BuilderOptions options = {},
                                       std::string folder = "") {
    auto table = std::make_unique<engine::Table>(engine_, folder.empty() ? dir_.folder() : folder,
                                                 std::string(name));
    result_ = OpenTargetTable(*table, schema, indexes, options);
    EXPECT_TRUE(table->is_open());
    return table;
  }

  // Appends records with `text` in Nazwa and `number` in Kwota (fields that must exist).
  static void AppendRows(engine::Table& table, const std::vector<std::string>& texts,
                         const std::vector<double>& numbers) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      table.Append();
      table.SetText("nazwa", Cp1250(texts[i]));
      if (i < numbers.size()) table.SetNumber("KWOTA", numbers[i]);
      table.Post();
    }
  }

  static std::vector<std::string> Texts(engine::Table& table, std::string_view field) {
    std::vector<std::string> texts;
    for (table.First(); !table.Eof(); table.Next()) {
      texts.push_back(platform::Utf8FromCp1250(table.ReadText(field)));
    }
    return texts;
  }

  std::filesystem::path Host(std::string_view name) const { return dir_.path() / name; }

  engine::Engine engine_;
  oracle::TempDir dir_;
  BuilderResult result_;
};

TEST_F(TableBuilderTest, SpacesCaseAndTrailingSeparatorsDescribeTheSameTable) {
  const std::vector<std::string> forms = {"Nazwa;c;30",  " Na zwa ; C ; 3 0 ", "Nazwa;c;30|",
                                          "Nazwa;c;30;", "Nazwa;C;30;|",       "Nazwa;c;30;;x;y"};
  for (std::size_t i = 0; i < forms.size(); ++i) {
    SCOPED_TRACE(forms[i]);
    auto table = Build("t" + std::to_string(i) + ".dbf", forms[i], "UPP_NAZWA ;UPPER( NAZWA); exp",
                       {.remove_data_files = true});
    EXPECT_EQ(Describe(table->fields()), std::vector<std::string>{"NAZWA C 30.0"});
    ASSERT_EQ(table->index_definitions().size(), 1u);
    EXPECT_EQ(table->index_definitions()[0], (engine::TagDefinition{"UPP_NAZWA", "UPPER(NAZWA)"}));
  }
}

TEST_F(TableBuilderTest, MissingPartsTakeTheirDefaultsAndFixedWidthsHold) {
  auto table = Build("Domysl.dbf",
                     "Nazwa|Ilosc;N|Kwota;n;10;2|Opis;C;10;2|ROK;n;4;|Data;d;3|Flaga;L;7|Inne;X;5",
                     "", {.remove_data_files = true});
  table->Finish();
  // Read by dbfread, so the field list is what another program sees.
  const oracle::DbfOracleTable read = oracle::ReadDbfWithDbfread(Host("Domysl.dbf"));
  std::vector<std::string> fields;
  for (const auto& f : read.fields) {
    fields.push_back(f.name + " " + f.type + " " + std::to_string(f.length) + "." +
                     std::to_string(f.decimal_count));
  }
  EXPECT_EQ(fields,
            (std::vector<std::string>{"NAZWA C 1.0", "ILOSC N 1.0", "KWOTA N 10.2", "OPIS C 10.0",
                                      "ROK N 4.0", "DATA D 8.0", "FLAGA L 1.0", "INNE C 5.0"}));
  EXPECT_EQ(read.language_driver, 0x23);
}

TEST_F(TableBuilderTest, ExpressionMarkInAnyCaseAndTwoPartItemsAreFieldIndexes) {
  auto table = Build("Znaki.dbf", "Nazwa;c;10|Nip;c;13",
                     "NIP;NIP|A1;UPPER(NAZWA);exp|A2;upper(nazwa);EXP|A3;Upper(Nazwa);ExP",
                     {.remove_data_files = true});
  EXPECT_EQ(table->current_index(), "NIP");
  for (const char* name : {"żółw", "Ćma", "abc"}) {
    table->Append();
    table->SetText("Nazwa", Cp1250(name));
    table->SetText("NIP", "123-456");
  }
  table->Finish();
  const std::string mdx = table->MdxPath();
  const std::vector<engine::TagInfo> tags = engine::ReadProductionIndexTags(mdx);
  ASSERT_EQ(tags.size(), 4u);
  // Record 1 "żółw" upper-cased in cp852 (Ż Ó Ł W), record 2 "ĆMA", record 3 "ABC".
  const std::vector<std::vector<std::uint8_t>> upper = {
      {0xBD, 0xE0, 0x9D, 'W', ' ', ' ', ' ', ' ', ' ', ' '},
      {0x8F, 'M', 'A', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
      {'A', 'B', 'C', ' ', ' ', ' ', ' ', ' ', ' ', ' '}};
  for (const char* tag : {"A1", "A2", "A3"}) {
    SCOPED_TRACE(tag);
    const auto keys = engine::ReadProductionIndexKeys(mdx, tag);
    ASSERT_EQ(keys.size(), 3u);
    for (const auto& entry : keys) EXPECT_EQ(entry.key, upper.at(entry.record - 1));
  }
  // A field index marks its field in the table's field descriptor (byte 31).
  const auto dbf = oracle::ReadFileBytes(platform::HostPath(table->DbfPath()));
  EXPECT_EQ(dbf.at(32 + 31), 0x00);  // NAZWA: only expression tags
  EXPECT_EQ(dbf.at(64 + 31), 0x01);  // NIP
  EXPECT_EQ(dbf.at(28), 0x01);       // the production index exists
}

TEST_F(TableBuilderTest, WideningKeepsDataAndANarrowerSchemaChangesNothing) {
  const std::string kIndex = "UPP_NAZWA;UPPER(NAZWA);exp";
  {
    auto table = Build("Osoby.dbf", "Nazwa;c;20|Kwota;n;6;1", kIndex, {.remove_data_files = true});
    AppendRows(*table, {"Zażółć gęślą jaźń ĄĆ", "Łódź", ""}, {12.5, -3, 0});
    table->Finish();
  }
  {
    auto table = Build("Osoby.dbf", "Nazwa;c;30|Kwota;n;10;2", kIndex);
    EXPECT_FALSE(result_.created);
    EXPECT_TRUE(result_.restructured);
    EXPECT_EQ(Describe(table->fields()),
              (std::vector<std::string>{"NAZWA C 30.0", "KWOTA N 10.2"}));
    EXPECT_EQ(Texts(*table, "Nazwa"),
              (std::vector<std::string>{"Zażółć gęślą jaźń ĄĆ", "Łódź", ""}));
    table->Finish();
  }
  EXPECT_FALSE(std::filesystem::exists(Host("Osoby.db"))) << "the safety copy is removed";
  const auto read = oracle::ReadDbfWithDbfread(Host("Osoby.dbf"), "cp852");
  ASSERT_EQ(read.live_records.size(), 3u);
  EXPECT_EQ(read.live_records[0].values[0], "Zażółć gęślą jaźń ĄĆ");
  EXPECT_EQ(read.live_records[0].raw[1], "     12.50");
  EXPECT_EQ(read.live_records[1].raw[1], "     -3.00");
  // The index was rebuilt for the wider key and another reader walks it.
  const auto mdx = oracle::ReadMdxWithXBase(Host("Osoby.mdx"));
  ASSERT_EQ(mdx.size(), 1u);
  EXPECT_EQ(mdx[0].key_length, 30);
  EXPECT_EQ(mdx[0].keys.size(), 3u);

  auto table = Build("Osoby.dbf", "Nazwa;c;10|Kwota;n;4", kIndex);
  EXPECT_FALSE(result_.restructured);
  EXPECT_EQ(Describe(table->fields()), (std::vector<std::string>{"NAZWA C 30.0", "KWOTA N 10.2"}));
  EXPECT_EQ(Texts(*table, "NAZWA").front(), "Zażółć gęślą jaźń ĄĆ");
}

TEST_F(TableBuilderTest, MissingFieldIsAddedAtTheEndAndNoFieldIsRetyped) {
  {
    auto table = Build("Tab.dbf", "Nazwa;c;5|Kwota;n;4", "", {.remove_data_files = true});
    AppendRows(*table, {"Ćma", "Żaba"}, {7, -12});
    table->Finish();
  }
  // The items name the fields in another order and ask for a number where text is.
  auto table = Build("Tab.dbf", "Kwota;n;4|Data;d|Nazwa;n;3", "");
  EXPECT_EQ(Describe(table->fields()),
            (std::vector<std::string>{"NAZWA C 5.0", "KWOTA N 4.0", "DATA D 8.0"}));
  EXPECT_EQ(Texts(*table, "Nazwa"), (std::vector<std::string>{"Ćma", "Żaba"}));
  table->First();
  EXPECT_EQ(table->ReadInteger("Kwota"), 7);
  EXPECT_TRUE(table->IsNull("Data"));
}

TEST_F(TableBuilderTest, TableInAMissingFolderIsCreatedWithTheFolder) {
  const std::string folder = dir_.Join("BAZA\\KERG\\NOWY");
  auto table = Build("Gminy.dbf", "NR_G;c;3|NAZWA;c;25", "NR_G;NR_G", {}, folder);
  EXPECT_TRUE(result_.created);
  EXPECT_TRUE(result_.indexes_built);
  EXPECT_TRUE(std::filesystem::is_regular_file(platform::HostPath(table->DbfPath())));
  EXPECT_EQ(TagNames(*table), std::vector<std::string>{"NR_G"});
}

TEST_F(TableBuilderTest, RemoveDataFilesReplacesATableWithData) {
  {
    auto table = Build("Ulice.dbf", "Nazwa;c;30", "STARY;NAZWA", {.remove_data_files = true});
    AppendRows(*table, {"Długa", "Świętojańska"}, {});
    table->Finish();
  }
  {
    // Without the option the table is opened as it is.
    auto table = Build("Ulice.dbf", "Nazwa;c;30", "STARY;NAZWA");
    EXPECT_FALSE(result_.created);
    EXPECT_FALSE(result_.indexes_built);
    EXPECT_EQ(table->RecordCount(), 2u);
  }
  auto table =
      Build("Ulice.dbf", "Nazwa;c;30", "UPP_NAZWA;UPPER(NAZWA);exp", {.remove_data_files = true});
  EXPECT_TRUE(result_.created);
  EXPECT_EQ(table->RecordCount(), 0u);
  EXPECT_EQ(TagNames(*table), std::vector<std::string>{"UPP_NAZWA"});
}

TEST_F(TableBuilderTest, MissingIndexIsRebuiltFromTheDefinitionsKeepingData) {
  const std::string kIndexes = "UPP_NAZWA;UPPER(NAZWA);exp|KWOTA;KWOTA";
  {
    auto table =
        Build("Miejsc.dbf", "Nazwa;c;30|Kwota;n;9;2", kIndexes, {.remove_data_files = true});
    AppendRows(*table, {"Łódź", "Kraków", "Gdańsk"}, {3, 1, 2});
    table->Finish();
  }
  // The production index file is removed; the header still declares it.
  auto table = Build("Miejsc.dbf", "Nazwa;c;30|Kwota;n;9;2", kIndexes,
                     {.remove_index_file = true, .exclusive_open = true});
  EXPECT_FALSE(result_.created);
  EXPECT_TRUE(result_.indexes_built);
  EXPECT_TRUE(table->exclusive());
  EXPECT_EQ(TagNames(*table), (std::vector<std::string>{"UPP_NAZWA", "KWOTA"}));
  EXPECT_EQ(table->current_index(), "UPP_NAZWA");
  EXPECT_EQ(table->RecordCount(), 3u);
  table->Finish();
  const auto keys = engine::ReadProductionIndexKeys(table->MdxPath(), "KWOTA");
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ((std::vector<std::uint32_t>{keys[0].record, keys[1].record, keys[2].record}),
            (std::vector<std::uint32_t>{2, 3, 1}));
}

TEST_F(TableBuilderTest, ExistingTableWithoutIndexGetsTheDefinedIndexes) {
  {
    auto table = Build("Slownik.dbf", "Nazwa;c;30", "", {.remove_data_files = true});
    AppendRows(*table, {"Źródło", "Abc"}, {});
    table->Finish();
  }
  auto table = Build("Slownik.dbf", "Nazwa;c;30", "UPP_NAZWA;UPPER(NAZWA);exp");
  EXPECT_FALSE(result_.created);
  EXPECT_TRUE(result_.indexes_built);
  EXPECT_EQ(TagNames(*table), std::vector<std::string>{"UPP_NAZWA"});
  table->Finish();
  const auto keys = engine::ReadProductionIndexKeys(table->MdxPath(), "UPP_NAZWA");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].record, 2u);  // ABC before ŹRÓDŁO
}

// A group folder of the output that is a link to somewhere else (the DOS data, say) must not
// take the builder's deletions and writes there.
TEST_F(TableBuilderTest, AGroupFolderLinkingOutOfTheOutputIsRefused) {
#ifdef _WIN32
  GTEST_SKIP() << "links need privileges on Windows";
#endif
  oracle::TempDir elsewhere;
  std::ofstream(elsewhere.path() / "Osoby.dbf") << "DOS";
  std::filesystem::create_directories(Host("BAZA"));
  std::filesystem::create_directory_symlink(elsewhere.path(), Host("BAZA") / "OSOBY");
  engine::Table table(engine_, dir_.folder() + "BAZA\\OSOBY\\", "Osoby.dbf");
  EXPECT_THROW(OpenTargetTable(table, "Nazwa;c;30", "", {.remove_data_files = true}),
               platform::IoError);
  EXPECT_TRUE(std::filesystem::exists(elsewhere.path() / "Osoby.dbf"));
  // A link that stays inside the output is a folder like any other.
  std::filesystem::create_directories(Host("inne"));
  std::filesystem::create_directory_symlink(Host("inne"), Host("BAZA") / "KMZ");
  EXPECT_EQ(Build("Kmz.dbf", "Nazwa;c;30", "", {}, dir_.folder() + "BAZA\\KMZ\\")->table_name(),
            "Kmz.dbf");
}

}  // namespace
}  // namespace konwerter::target
