#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/text_encoding.h"
#include "renumber/renumbering_table.h"
#include "settings/ini_file.h"
#include "tests/support/temp_dir.h"

namespace konwerter::settings {
namespace {

namespace fs = std::filesystem;
using platform::Cp1250FromUtf8;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(output_.path() / "BAZA" / "ADMIN"); }
  fs::path IniPath() const { return output_.path() / "BAZA" / "ADMIN" / "terokan.ini"; }
  std::string Write(const std::vector<std::string>& settings, bool renumber = false) {
    WriteSettingsFile(output_.folder(), settings, renumbering_, renumber);
    return ReadText(IniPath());
  }
  // The value written for a key, as IniFile reads it back.
  std::string Value(std::string_view section, std::string_view key_utf8) const {
    return IniFile(IniPath().string()).Get(section, Cp1250FromUtf8(key_utf8));
  }

  testing::TempDir output_;
  renumber::RenumberingTable renumbering_;
};

TEST_F(SettingsFileTest, WritesEveryKeyInOrderInCp1250WithCrLf) {
  const std::string text =
      Write({"DOM_NRWOJ=12", "DOM_POWNAZ=" + Cp1250FromUtf8("Łódź"), "DOM_POWNR=04",
             "DOM_GMNAZ=Zgierz", "DOM_GMNR=007", "DOM_FILIA=ZG", "DOM_ILDNI=30", "DOM_WYPROB=T",
             "DOM_KOLEJN=F", "DOM_4ROK=T", "DOM_NADOPE=t", "DOM_JESTVAT=T", "DOM_LDODS=14",
             "DOM_PRODS=0.0005", "DOM_TWODS=7", "DOM_ZBKP=F", "DOM_DZAPL=T", "DOM_WARNKP=F"});
  const std::string expected = Cp1250FromUtf8(
      "[Lokalizacja]\r\nWojewództwo=\r\nNr województwa=12\r\nPowiat=Łódź\r\nNr powiatu=04\r\n"
      "Gmina=Zgierz\r\nNr gminy=007\r\nSkrót filii=ZG\r\n"
      "\r\n[Inne]\r\nCzas na zwrot dokumentu=30\r\nCzy łączyć wypożyczenie z numerem roboty=T\r\n"
      "Numeracja dokumentów nadawana w ramach roku=F\r\nW dokumentach rok czteroznakowy=T\r\n"
      "Nadawanie numeru kolejnego w bazach operatów=1\r\n"
      "\r\n[Fakturowanie]\r\nCzy terokan jest płatnikiem VAT=T\r\n"
      "\r\n[KP]\r\nPropozycja naliczania odsetek po dniach=14\r\n"
      "Odsetki dzienne wynoszą (współczynnik)=0.0005\r\n"
      "Termin ważności naliczonych odsetek (dni)=7\r\nUmożliwiać zbiorcze KP=F\r\n"
      "Wpisywać datę zapłaty w DZ na podstawie KP=T\r\n"
      "Ostrzegać przed wejściem do KP na niezafakturowanym zamówieniu=F\r\n");
  EXPECT_EQ(text, expected);
}

TEST_F(SettingsFileTest, WithoutSiteSettingsEveryKeyIsWrittenEmpty) {
  Write({});
  EXPECT_EQ(Value("Lokalizacja", "Nr gminy"), "");
  EXPECT_EQ(Value("Inne", "Nadawanie numeru kolejnego w bazach operatów"), "0");
  EXPECT_NE(ReadText(IniPath()).find(Cp1250FromUtf8("Umożliwiać zbiorcze KP=\r\n")),
            std::string::npos);
}

TEST_F(SettingsFileTest, OnlyAnExactTMeansNumberingInOperats) {
  for (const auto& [value, expected] : std::vector<std::pair<std::string, std::string>>{
           {"T", "1"}, {"t", "1"}, {"F", "0"}, {"Y", "0"}, {"", "0"}, {"TT", "0"}}) {
    Write({"DOM_NADOPE=" + value});
    EXPECT_EQ(Value("Inne", "Nadawanie numeru kolejnego w bazach operatów"), expected) << value;
  }
}

// dom.mem holds the name as Clipper stored it, cut to 10 characters.
TEST_F(SettingsFileTest, FindsTheVatSettingUnderItsClipperName) {
  Write({"DOM_JESTVA=T"});
  EXPECT_EQ(Value("Fakturowanie", "Czy terokan jest płatnikiem VAT"), "T");
}

TEST_F(SettingsFileTest, TheCommuneNumberGoesThroughTheRenumberingRule) {
  renumbering_.Set(7, 345);
  Write({"DOM_GMNR=007"}, true);
  EXPECT_EQ(Value("Lokalizacja", "Nr gminy"), "345");
  Write({"DOM_GMNR=007"}, false);
  EXPECT_EQ(Value("Lokalizacja", "Nr gminy"), "007");
}

TEST_F(SettingsFileTest, AnExistingFileKeepsItsOtherSectionsAndKeys) {
  std::ofstream(IniPath(), std::ios::binary)
      << "[Baza]\r\nSciezka=C:\\DANE\r\n[LOKALIZACJA]\r\nGMINA=stara\r\nInny=1\r\n";
  Write({"DOM_GMNAZ=Nowa"});
  const std::string text = ReadText(IniPath());
  EXPECT_EQ(text.rfind("[Baza]\r\nSciezka=C:\\DANE\r\n[LOKALIZACJA]\r\n", 0), 0u) << text;
  EXPECT_EQ(Value("Lokalizacja", "Gmina"), "Nowa");
  EXPECT_EQ(Value("Lokalizacja", "Inny"), "1");
  EXPECT_EQ(text.find("stara"), std::string::npos);
}

// Like the Windows profile writer: existing keys keep their spelling, a new section is
// set off by a blank line.
TEST(IniFileTest, ReplacesValuesAddsKeysToTheirSectionAndReadsLfFiles) {
  testing::TempDir folder;
  const fs::path path = folder.path() / "a.ini";
  std::ofstream(path, std::ios::binary) << "; comment\n[A]\nk=1\n\n[B]\nx=2\n";
  IniFile ini(path.string());
  ini.Set("a", "K", "3");
  ini.Set("A", "new", "4");
  ini.Set("C", "z", "5");
  ini.Save();
  EXPECT_EQ(ReadText(path),
            "; comment\r\n[A]\r\nk=3\r\nnew=4\r\n\r\n[B]\r\nx=2\r\n\r\n[C]\r\nz=5\r\n");
}

}  // namespace
}  // namespace konwerter::settings
