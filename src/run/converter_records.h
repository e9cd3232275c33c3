#pragma once

#include "run/translation_table.h"

namespace konwerter::run {

// Translation tables one converter fills and a later converter of the same run reads.
// Each is sized by the converter that fills it.
struct ConverterRecords {
  // New skr_dok codes by 1-based record number of the KMZ ind_dok.dbf; read by KME.
  TranslationTable document_kinds;
  // New Id_zam by 1-based record number of kart_zam.dbf; read by the cash receipts.
  TranslationTable orders;
  // New Id_rozl by 1-based record number of rozlicz.dbf; read by the coefficients.
  TranslationTable settlements;
};

}  // namespace konwerter::run
