#include "target/verification/table_places.h"

#include <algorithm>
#include <array>

namespace konwerter::verification {

namespace {

namespace tables = target::tables;

constexpr std::array<std::string_view, 3> kOperatFolders = {"OPER_PR", "OPER_BU", "OPER_PRZ"};
// The registers whose converters write raster extents (the KMZ register keeps none).
constexpr std::array<std::string_view, 6> kRasterExtentFolders = {"KME",      "ZARYSY", "OPER_BU",
                                                                  "OPER_PRZ", "SZKICE", "KERG"};
// Tables whose converter writes nothing when the site has no such DOS table.
constexpr std::array kOptionalTables = {&tables::kZleceniaUstawowe, &tables::kZleceniaNrejSp};

bool IsOperatKind(const tables::TableStrings* strings) {
  return strings == &tables::kOperPrOperaty || strings == &tables::kOperPrOpRuch ||
         strings == &tables::kOperPrOpCechy || strings == &tables::kOperPrOpAsor;
}

std::vector<TablePlace> Places() {
  std::vector<TablePlace> places;
  for (const tables::TableStrings* strings : tables::kAllTables) {
    const bool optional =
        std::find(kOptionalTables.begin(), kOptionalTables.end(), strings) != kOptionalTables.end();
    if (IsOperatKind(strings)) {
      for (const std::string_view folder : kOperatFolders) places.push_back({strings, folder});
    } else if (strings == &tables::kKmzZakrRas) {
      for (const std::string_view folder : kRasterExtentFolders) {
        places.push_back({strings, folder});
      }
    } else {
      places.push_back({strings, strings->group, optional});
    }
  }
  return places;
}

}  // namespace

const std::vector<TablePlace>& ExpectedTables() {
  static const std::vector<TablePlace> places = Places();
  return places;
}

}  // namespace konwerter::verification
