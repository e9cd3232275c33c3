#include "settings/settings_file.h"

#include <array>

#include "platform/dos_path.h"
#include "platform/text_encoding.h"
#include "settings/ini_file.h"
#include "source/memory_file.h"

namespace konwerter::settings {

namespace {

// How a setting's value is written.
enum class Rule {
  kAsIs,
  kAlwaysEmpty,
  kCommuneNumber,  // through the commune renumbering rule
  kYesNo,          // "1" for exactly "T" or "t", otherwise "0"
};

struct SettingsKey {
  const char* section;
  const char* key;  // UTF-8 here; written in cp1250
  const char* variable;
  Rule rule;
};

constexpr std::array<SettingsKey, 19> kKeys = {{
    {"Lokalizacja", "Województwo", "", Rule::kAlwaysEmpty},
    {"Lokalizacja", "Nr województwa", "DOM_NRWOJ", Rule::kAsIs},
    {"Lokalizacja", "Powiat", "DOM_POWNAZ", Rule::kAsIs},
    {"Lokalizacja", "Nr powiatu", "DOM_POWNR", Rule::kAsIs},
    {"Lokalizacja", "Gmina", "DOM_GMNAZ", Rule::kAsIs},
    {"Lokalizacja", "Nr gminy", "DOM_GMNR", Rule::kCommuneNumber},
    {"Lokalizacja", "Skrót filii", "DOM_FILIA", Rule::kAsIs},
    {"Inne", "Czas na zwrot dokumentu", "DOM_ILDNI", Rule::kAsIs},
    {"Inne", "Czy łączyć wypożyczenie z numerem roboty", "DOM_WYPROB", Rule::kAsIs},
    {"Inne", "Numeracja dokumentów nadawana w ramach roku", "DOM_KOLEJN", Rule::kAsIs},
    {"Inne", "W dokumentach rok czteroznakowy", "DOM_4ROK", Rule::kAsIs},
    {"Inne", "Nadawanie numeru kolejnego w bazach operatów", "DOM_NADOPE", Rule::kYesNo},
    {"Fakturowanie", "Czy terokan jest płatnikiem VAT", "DOM_JESTVAT", Rule::kAsIs},
    {"KP", "Propozycja naliczania odsetek po dniach", "DOM_LDODS", Rule::kAsIs},
    {"KP", "Odsetki dzienne wynoszą (współczynnik)", "DOM_PRODS", Rule::kAsIs},
    {"KP", "Termin ważności naliczonych odsetek (dni)", "DOM_TWODS", Rule::kAsIs},
    {"KP", "Umożliwiać zbiorcze KP", "DOM_ZBKP", Rule::kAsIs},
    {"KP", "Wpisywać datę zapłaty w DZ na podstawie KP", "DOM_DZAPL", Rule::kAsIs},
    {"KP", "Ostrzegać przed wejściem do KP na niezafakturowanym zamówieniu", "DOM_WARNKP",
     Rule::kAsIs},
}};

// Clipper keeps only the first 10 characters of a variable's name, so dom.mem holds
// DOM_JESTVAT as DOM_JESTVA. A name is looked up in full first, then as Clipper stored it.
constexpr std::size_t kClipperNameLength = 10;

std::string SettingValue(const std::vector<std::string>& site_settings, std::string_view name) {
  const std::string value = source::ValueOf(site_settings, name);
  if (!value.empty() || name.size() <= kClipperNameLength) return value;
  return source::ValueOf(site_settings, name.substr(0, kClipperNameLength));
}

std::string ValueFor(const SettingsKey& key, const std::vector<std::string>& site_settings,
                     const renumber::RenumberingTable& renumbering, bool renumbering_enabled) {
  const std::string value = SettingValue(site_settings, key.variable);
  switch (key.rule) {
    case Rule::kAsIs:
      return value;
    case Rule::kAlwaysEmpty:
      return {};
    case Rule::kCommuneNumber:
      return renumber::RenumberCommuneText(value, false, renumbering, renumbering_enabled);
    case Rule::kYesNo:
      return (value == "T" || value == "t") ? "1" : "0";
  }
  return value;
}

}  // namespace

void WriteSettingsFile(std::string_view output_folder,
                       const std::vector<std::string>& site_settings,
                       const renumber::RenumberingTable& renumbering, bool renumbering_enabled) {
  IniFile ini(platform::WithTrailingBackslash(output_folder) + "BAZA\\ADMIN\\terokan.ini");
  for (const SettingsKey& key : kKeys) {
    ini.Set(key.section, platform::Cp1250FromUtf8(key.key),
            ValueFor(key, site_settings, renumbering, renumbering_enabled));
  }
  ini.Save();
}

}  // namespace konwerter::settings
