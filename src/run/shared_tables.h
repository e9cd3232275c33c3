#pragma once

#include "run/translation_table.h"

namespace konwerter::run {

// The eight identifier-translation tables every converter of a run shares. They live for
// the program's life: sizing at the start of a run empties each table it reaches.
struct SharedTables {
  SharedTranslationTable persons{8};            // sequence "OSOBY"
  SharedTranslationTable assortments{4};        // sequence "ASORTYM"
  SharedTranslationTable features{4};           // sequence "CECHY"
  SharedTranslationTable works{8};              // sequence "ROBOTY"
  SharedTranslationTable parcels{8};            // sequence "DZ"
  SharedTranslationTable precincts{4};          // sequence "OBREB"
  SharedTranslationTable order_assortments{4};  // sequence "zasort"
  SharedTranslationTable services{4};           // sequence "obsluga"
};

}  // namespace konwerter::run
