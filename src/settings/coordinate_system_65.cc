#include "settings/coordinate_system_65.h"

#include <array>

#include "platform/text_encoding.h"

namespace konwerter::settings {

namespace {

// The spaces are part of the lines: the Windows edition reads each value up to the "&".
constexpr std::array<const char*, 23> kLines = {
    "1:10000            & skala sekcji pierwotnych",
    "5000               & wymiary dx sekcji pierwotnej",
    "8000               & wymiary dy sekcji pierwotnej",
    "/2                 & podział sekcji",
    ".                  & separator oddzielający godlo arkusza pierwotnego od reszty",
    "1 2                &1  nazwy arkuszy na które dzielimy arkusz pierwotny",
    "3 4                &2  muszą być 2 linie po dwie nazwy bo podział /2",
    "                   & separator końcowy dla podziału /2",
    "/5/2/2             & następny podział sekcji pierwotnej",
    ".                  & separator oddzielający godlo arkusza pierwotnego od reszty",
    "01 02 03 04 05     &1 nazwy arkuszy na które dzielimy arkusz pierwotny",
    "06 07 08 09 10     &2 musi być 5 lini po 5 nazw  bo podział /5",
    "11 12 13 14 15",
    "16 17 18 19 20",
    "21 22 23 24 25",
    "                   & separator rozdzielający podziały",
    "1 2                &1  nazwy arkuszy na które dzielimy",
    "3 4                &2  muszą być 2 linie po dwie nazwy bo podział /2",
    ".                  & separator rozdzielający podziały",
    "1 2                &1  nazwy arkuszy na które dzielimy",
    "3 4                &2  muszą być 2 linie po dwie nazwy  bo podział /2",
    "                   & separator końcowy dla podziału /5/2/2",
    "/                  & koniec podziałów sekcji pierwotnej",
};

}  // namespace

std::vector<std::string> BuiltInDescription65() {
  std::vector<std::string> lines;
  lines.reserve(kLines.size());
  for (const char* line : kLines) lines.push_back(platform::Cp1250FromUtf8(line));
  return lines;
}

}  // namespace konwerter::settings
