#pragma once

namespace konwerter::source {

// The two editions of the DOS data. The later one keeps a features dictionary (cechy.dbf in
// the works folder), the operats' feature and assortment links and digital identifiers, the
// order cards' document type and the settlement lines' position numbers.
enum class SourceEdition { kEarlier, kLater };

}  // namespace konwerter::source
