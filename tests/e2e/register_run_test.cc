// The registers within a whole run: one identifier per person and work across registers,
// segment-1 renumbering per register, and the run's end when a register source is missing.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/conversion_driver.h"
#include "app/converter_steps.h"
#include "platform/text_encoding.h"
#include "tests/e2e/dos_site.h"
#include "tests/e2e/register_site.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {
namespace {

// A run that converted: the hand-made site warns of its empty dom.mem and its incomplete
// coordinate system A, which these tests do not look at.
auto Converted() {
  return ::testing::AnyOf(app::RunOutcome::kSucceeded, app::RunOutcome::kSucceededWithWarnings);
}

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

DosPersonsFolder Persons() {
  DosPersonsFolder folder;
  for (std::uint32_t id : {3u, 7u, 9u, 11u}) {
    DosPerson person;
    person.id = id;
    person.o = 1;
    person.nazwa = "OSOBA " + std::to_string(id);
    folder.persons.push_back(person);
  }
  return folder;
}

// Person 7 and work 5 appear in every register; person 9 first in KMZ, person 3 first in
// KME, work 6 only in the operats. Every register's first document has the commune 12 in
// segment 1.
void WriteRegisters(const DosSite& site) {
  DosKmz kmz;
  kmz.documents = {{.id_dok = 1, .id_osoby = 9, .id_zam = 5}, {.id_dok = 2, .id_osoby = 7}};
  WriteKmz(site, kmz);
  DosMapRegister map;
  map.documents = {{.key = 1, .czlon_1 = "  12", .id_osoby = 7, .id_zam = 5},
                   {.key = 2, .czlon_1 = "  12", .id_osoby = 3}};
  WriteKme(site, map);
  WriteOutlines(site, map);
  for (int kind = 1; kind <= 3; ++kind) {
    DosOperats operats;
    operats.operats = {{.id_ope = 1,
                        .nrjednewid = "12",
                        .czlon_1 = "12",
                        .id_kerg = 6,
                        .id_osoby = 7,
                        .id_zam = 5}};
    WriteOperats(site, kind, operats);
  }
  DosSketches sketches;
  sketches.sketches = {{.id_szkicu = 1, .nr_p_j = "12", .id_kerg = 5}};
  WriteSketches(site, sketches);
}

class RegisterRunTest : public ::testing::Test {
 protected:
  RegisterRunTest() : site_(Persons()) {
    WriteRegisters(site_);
    std::ofstream(output_.path() / "zmiany.gm", std::ios::binary) << "12|345\r\n";
  }

  // A run into a fresh output folder (the renumbering file beside it stays).
  app::ConversionResult Convert(run::RunOptions options = {}) {
    fs::remove_all(output_.path() / "BAZA");
    app::ConversionRequest request;
    request.input_folder = site_.root().string();
    request.output_folder = output_.folder();
    request.options = options;
    request.renumbering_file = output_.Join("zmiany.gm");
    const platform::FixedClock clock(kRunDate);
    run::Session session;
    return app::RunConversion(request, session, progress_, messages_, clock);
  }

  std::vector<std::vector<std::string>> Rows(const std::string& relative) const {
    return LiveRowsWithDbfread(output_.path() / relative);
  }
  std::string Field(const std::string& relative, std::size_t record, std::size_t field) const {
    return Rows(relative).at(record).at(field);
  }

  // Segment 1 of the first document of each of the six registers, in the order of the
  // renumbering boxes: register, base-and-use and transitional operats, sketches, outlines,
  // KME.
  std::vector<std::string> SegmentsOne() const {
    return {Field("BAZA/OPER_PR/Operaty.dbf", 0, 2),  Field("BAZA/OPER_BU/Operaty.dbf", 0, 2),
            Field("BAZA/OPER_PRZ/Operaty.dbf", 0, 2), Field("BAZA/SZKICE/szkice.dbf", 0, 1),
            Field("BAZA/ZARYSY/z_ewid.dbf", 0, 2),    Field("BAZA/KME/m_ewid.dbf", 0, 2)};
  }

  DosSite site_;
  TempDir output_;
  RecordedMessages messages_;
  RecordedProgress progress_;
};

TEST_F(RegisterRunTest, APersonOrWorkHasOneIdentifierInEveryRegisterNumberedInRunOrder) {
  const app::ConversionResult result = Convert();
  ASSERT_THAT(result.outcome, Converted()) << platform::Utf8FromCp1250(result.message);
  EXPECT_EQ(Field("BAZA/KMZ/Metryka.dbf", 0, 8), "00000001");   // person 9
  EXPECT_EQ(Field("BAZA/KMZ/Metryka.dbf", 1, 8), "00000002");   // person 7
  EXPECT_EQ(Field("BAZA/KMZ/Metryka.dbf", 0, 16), "00000001");  // work 5
  EXPECT_EQ(Field("BAZA/KME/m_ewid.dbf", 0, 6), "00000002");
  EXPECT_EQ(Field("BAZA/KME/m_ewid.dbf", 1, 6), "00000003");  // person 3
  EXPECT_EQ(Field("BAZA/KME/m_ewid.dbf", 0, 14), "00000001");
  EXPECT_EQ(Field("BAZA/ZARYSY/z_ewid.dbf", 1, 6), "00000003");
  for (const char* group : {"OPER_PR", "OPER_BU", "OPER_PRZ"}) {
    const auto operat = Rows(std::string("BAZA/") + group + "/Operaty.dbf").at(0);
    EXPECT_EQ(operat[6], "00000002") << group;   // work 6, first met here
    EXPECT_EQ(operat[7], "00000002") << group;   // person 7
    EXPECT_EQ(operat[10], "00000001") << group;  // work 5
  }
  EXPECT_EQ(Field("BAZA/SZKICE/szkice.dbf", 0, 4), "00000001");
  // The persons converter keeps exactly the persons the registers referred to, with their
  // identifiers; person 11 is not linked.
  const auto osoby = Rows("BAZA/OSOBY/Osoby.dbf");
  ASSERT_EQ(osoby.size(), 3u);
  EXPECT_THAT(osoby[0], ::testing::Contains("OSOBA 3"));
  EXPECT_EQ(osoby[0][0], "00000003");
  EXPECT_EQ(osoby[1][0], "00000002");
  EXPECT_EQ(osoby[2][0], "00000001");
  // Every step of the converter table that pauses did pause.
  const auto& steps = app::ConverterSteps();
  EXPECT_EQ(progress_.pauses, std::count_if(steps.begin(), steps.end(),
                                            [](const auto& step) { return step.pause_after; }));
}

TEST_F(RegisterRunTest, EachSegmentOneBoxRenumbersOnlyItsRegisterAndOnlyWithCommunesOn) {
  using Box = bool run::SegmentOneOptions::*;
  const Box boxes[] = {&run::SegmentOneOptions::oper_pr,  &run::SegmentOneOptions::oper_bu,
                       &run::SegmentOneOptions::oper_prz, &run::SegmentOneOptions::szkice,
                       &run::SegmentOneOptions::zarysy,   &run::SegmentOneOptions::kme};
  const std::vector<std::string> kept = {"    12", "    12", "    12", "    12", "  12", "  12"};
  const std::vector<std::string> renumbered = {"   345", "   345", "   345",
                                               "   345", " 345",   " 345"};
  for (std::size_t i = 0; i < std::size(boxes); ++i) {
    SCOPED_TRACE(i);
    run::RunOptions options;
    options.renumber_communes = true;
    options.segment_one.*boxes[i] = true;
    ASSERT_THAT(Convert(options).outcome, Converted());
    std::vector<std::string> expected = kept;
    expected[i] = renumbered[i];
    EXPECT_EQ(SegmentsOne(), expected);
    // The commune unit follows commune renumbering alone.
    EXPECT_EQ(Field("BAZA/OPER_PR/Operaty.dbf", 0, 1), "345");
  }

  run::RunOptions every_box;
  every_box.segment_one = {true, true, true, true, true, true};
  ASSERT_THAT(Convert(every_box).outcome, Converted());
  EXPECT_EQ(SegmentsOne(), kept);
  EXPECT_EQ(Field("BAZA/OPER_PR/Operaty.dbf", 0, 1), "012");
}

struct MissingSource {
  const char* folder;
  const char* file;
  std::vector<const char*> written;      // target tables the run has written
  std::vector<const char*> not_written;  // target tables it has not reached
};

TEST_F(RegisterRunTest, AMissingRequiredSourceEndsTheRunAfterWhatWasWritten) {
  const MissingSource cases[] = {
      {"GMAPAZ", "ind_dok.dbf", {}, {"KMZ/Metryka.dbf", "KME/m_ewid.dbf"}},
      {"GMAPAE", "ob_re.dbf", {"KME/m_ewid.dbf", "KME/Ruch_e.dbf"}, {"ZARYSY/z_ewid.dbf"}},
      {"GZARYSY", "z_ewid.dbf", {"KME/zakr_ras.dbf"}, {"ZARYSY/z_ewid.dbf"}},
      {"GZARYSY", "ruch_z.dbf", {"KME/zakr_ras.dbf"}, {"ZARYSY/z_ewid.dbf"}},
      {"GZARYSY",
       "ob_rz.dbf",
       {"ZARYSY/z_ewid.dbf", "ZARYSY/Ruch_z.dbf"},
       {"ZARYSY/zakr_ras.dbf", "OPER_PR/Operaty.dbf"}},
      {"GOPEW", "opg.dbf", {"ZARYSY/zakr_ras.dbf"}, {"OPER_PR/Operaty.dbf"}},
      {"GOPEW", "asor_ew.dbf", {"ZARYSY/zakr_ras.dbf"}, {"OPER_PR/Operaty.dbf"}},
      {"GOPEW", "cechy_ew.dbf", {"ZARYSY/zakr_ras.dbf"}, {"OPER_PR/Operaty.dbf"}},
      {"GOPEW", "rg.dbf", {"ZARYSY/zakr_ras.dbf"}, {"OPER_PR/Operaty.dbf"}},
      {"GOPEW", "obdg.dbf", {"OPER_PR/Operaty.dbf", "OPER_PR/obdg.dbf"}, {"OPER_BU/Operaty.dbf"}},
      {"GOP", "oper_bu.dbf", {"OPER_PR/obdg.dbf"}, {"OPER_BU/Operaty.dbf"}},
      {"GOP", "asor_bu.dbf", {"OPER_PR/obdg.dbf"}, {"OPER_BU/Operaty.dbf"}},
      {"GOP", "cechy_bu.dbf", {"OPER_PR/obdg.dbf"}, {"OPER_BU/Operaty.dbf"}},
      {"GOP", "ruch_bu.dbf", {"OPER_PR/obdg.dbf"}, {"OPER_BU/Operaty.dbf"}},
      {"GOP",
       "ob_bu.dbf",
       {"OPER_BU/Operaty.dbf", "OPER_BU/op_asor.dbf"},
       {"OPER_BU/zakr_ras.dbf", "OPER_PRZ/Operaty.dbf"}},
      {"GOPP", "ob_rp.dbf", {"OPER_PRZ/op_asor.dbf"}, {"SZKICE/szkice.dbf"}},
      {"GSZKICE",
       "szkice.dbf",
       {"OPER_PRZ/zakr_ras.dbf"},
       {"SZKICE/szkice.dbf", "OSOBY/Osoby.dbf"}},
      {"GSZKICE", "ob_rs.dbf", {"SZKICE/szkice.dbf"}, {"OSOBY/Osoby.dbf"}},
  };
  for (const MissingSource& missing : cases) {
    SCOPED_TRACE(missing.file);
    WriteRegisters(site_);
    ASSERT_TRUE(fs::remove(site_.folder(missing.folder) / missing.file));
    const app::ConversionResult result = Convert();
    EXPECT_EQ(result.outcome, app::RunOutcome::kFailed);
    const std::string message = platform::Utf8FromCp1250(result.message);
    EXPECT_THAT(message, HasSubstr("Błąd podczas otwarcia pliku: "));
    EXPECT_THAT(message, HasSubstr(missing.file));
    for (const char* table : missing.written) {
      EXPECT_TRUE(fs::exists(output_.path() / "BAZA" / table)) << table;
    }
    for (const char* table : missing.not_written) {
      EXPECT_FALSE(fs::exists(output_.path() / "BAZA" / table)) << table;
    }
  }
}

TEST_F(RegisterRunTest, MissingOptionalSourcesAreNoError) {
  DosOperats operats;
  operats.with_pairs = false;
  WriteOperats(site_, 1, operats);
  DosSketches sketches;
  sketches.with_links = false;
  WriteSketches(site_, sketches);
  EXPECT_THAT(Convert().outcome, Converted());
}

}  // namespace
}  // namespace konwerter::testing
