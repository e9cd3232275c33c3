#include "run/index_catalogue.h"

#include <array>

#include "platform/cp1250_case.h"

namespace konwerter::run {

namespace {

// nazwy.ntx: a person's name lines, keyed on the person's DOS key and the line number.
// kerg.ntx: the register of reported works, keyed on the work's DOS key.
constexpr std::array<IndexKeys, 2> kIndexes = {{
    {"nazwy.ntx", "nazwy.dbf", {"ID_OS", "LP", 5}},
    {"kerg.ntx", "kerg.dbf", {"ID_KERG", "", 4}},
}};

}  // namespace

std::optional<IndexKeys> FindIndexKeys(std::string_view index_file) {
  for (const IndexKeys& index : kIndexes) {
    if (platform::EqualIgnoringCaseCp1250(index.index_file, index_file)) return index;
  }
  return std::nullopt;
}

}  // namespace konwerter::run
