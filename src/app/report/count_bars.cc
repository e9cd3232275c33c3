#include "app/report/count_bars.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "app/report/html_text.h"

namespace konwerter::app {

namespace {

constexpr int kBarHeight = 6;
constexpr int kBarStep = 9;

struct Bar {
  std::string_view label;
  std::string_view css_class;  // the colour, from the page's style
  std::uint64_t count;
};

int BarLength(std::uint64_t count, std::uint64_t scale, int width) {
  if (count == 0 || scale == 0) return 0;
  const auto length = static_cast<int>(
      std::lround(static_cast<double>(count) * width / static_cast<double>(scale)));
  return std::clamp(length, 1, width);
}

std::string Rect(int y, int length, std::string_view css_class) {
  return "<rect class=\"" + std::string(css_class) + "\" x=\"0\" y=\"" + std::to_string(y) +
         "\" width=\"" + std::to_string(length) + "\" height=\"" + std::to_string(kBarHeight) +
         "\"/>";
}

}  // namespace

std::string CountBarsSvg(std::uint64_t read, std::uint64_t written, std::uint64_t skipped,
                         std::uint64_t scale, int width) {
  const std::array<Bar, 3> bars = {Bar{"odczytane", "b-read", read},
                                   Bar{"zapisane", "b-written", written},
                                   Bar{"pominięte", "b-skipped", skipped}};
  std::string label;
  std::string shapes;
  int y = 1;
  for (const Bar& bar : bars) {
    if (!label.empty()) label += ", ";
    label += std::string(bar.label) + ": " + HtmlNumber(bar.count);
    shapes += Rect(y, width, "b-track");
    if (const int length = BarLength(bar.count, scale, width); length > 0) {
      shapes += Rect(y, length, bar.css_class);
    }
    y += kBarStep;
  }
  const int height = y - kBarStep + kBarHeight + 1;
  return "<svg class=\"bars\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
         std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " +
         std::to_string(width) + " " + std::to_string(height) + "\" role=\"img\" aria-label=\"" +
         label + "\">" + Element("title", label) + shapes + "</svg>";
}

std::string CountBarsLegend() {
  std::string legend = "<p class=\"legend\">Wykres: ";
  const std::array<Bar, 3> bars = {Bar{"odczytane rekordy źródłowe", "b-read", 0},
                                   Bar{"zapisane", "b-written", 0},
                                   Bar{"pominięte", "b-skipped", 0}};
  for (const Bar& bar : bars) {
    legend +=
        "<span class=\"swatch\"><svg xmlns=\"http://www.w3.org/2000/svg\" width=\"12\" "
        "height=\"12\" aria-hidden=\"true\"><rect class=\"" +
        std::string(bar.css_class) + "\" width=\"12\" height=\"12\"/></svg> " +
        std::string(bar.label) + "</span>";
  }
  return legend +
         " (długość pasków względem tabeli o największej liczbie odczytanych rekordów w "
         "grupie)</p>\n";
}

}  // namespace konwerter::app
