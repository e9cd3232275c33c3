#include "target/verification/reference_map.h"

#include <algorithm>
#include <array>

namespace konwerter::verification {

namespace {

// The tables referred to, by the name of their records.
constexpr TableName kPersons{"OSOBY", "Osoby.dbf"};
constexpr TableName kWorks{"KERG", "Roboty.dbf"};
constexpr TableName kParcels{"KERG", "dz.dbf"};
constexpr TableName kPrecincts{"KERG", "obreb.dbf"};
constexpr TableName kAssortments{"KERG", "Asortym.dbf"};
constexpr TableName kFeatures{"KERG", "cechy.dbf"};
constexpr TableName kDocuments{"KMZ", "Metryka.dbf"};
constexpr TableName kDocumentKinds{"KMZ", "Ind_dok.dbf"};
constexpr TableName kDescriptions{"KMZ", "Slownik.dbf"};
constexpr TableName kKmeDocuments{"KME", "m_ewid.dbf"};
constexpr TableName kOutlines{"ZARYSY", "z_ewid.dbf"};
constexpr TableName kRegisterOperats{"OPER_PR", "Operaty.dbf"};
constexpr TableName kBaseOperats{"OPER_BU", "Operaty.dbf"};
constexpr TableName kTransitionalOperats{"OPER_PRZ", "Operaty.dbf"};
constexpr TableName kSketches{"SZKICE", "szkice.dbf"};
constexpr TableName kOrders{"ZLECENIA", "kart_zam.dbf"};
constexpr TableName kSettlements{"ZLECENIA", "rozlicz.dbf"};
constexpr TableName kReceipts{"ZLECENIA", "nrkp.dbf"};
constexpr TableName kCoefficients{"ZLECENIA", "opis_wsp.dbf"};
constexpr TableName kOrderAssortments{"ZLECENIA", "asortym.dbf"};
constexpr TableName kServices{"ZLECENIA", "obsluga.dbf"};
constexpr TableName kPriceLists{"ZLECENIA", "r_ceny.dbf"};
constexpr TableName kPricePositions{"ZLECENIA", "cenniki.dbf"};
constexpr TableName kDeliveries{"OBROT", "dostawy.dbf"};
constexpr TableName kMapKinds{"OBROT", "ind_map.dbf"};

constexpr std::string_view kPosition = "R_ceny+Nr_cennika+Pozycja";
// elkp.dbf: a receipt line that pays no order names this order.
constexpr std::string_view kSelfStandingOrder = "FFFFFFFF";

// Must resolve: the converters write a reference to a document, operat, sketch, work of
// the register, order, settlement, receipt, coefficient, delivery or dictionary code only
// from their own record of what they wrote, so the record is there (or the field is left
// blank).
// May dangle: persons, works, parcels, precincts, assortments, features, order assortments
// and services get an identifier whenever a record names their DOS key, whether or not
// their DOS table holds it; price positions, price lists and map kinds are copied as the
// DOS data names them.
constexpr bool kMust = false;
constexpr bool kMay = true;

constexpr std::array kReferences = {
    // Map documentation register (KMZ).
    Reference{kDocuments, "skr_dok", kDocumentKinds, "skr_dok", kMust},
    Reference{kDocuments, "skr_opis", kDescriptions, "skr_opis", kMust},
    Reference{kDocuments, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{kDocuments, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"KMZ", "Ruch_m.dbf"}, "id_dok", kDocuments, "id_dok", kMust},
    Reference{{"KMZ", "Ruch_m.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    // KME register and outlines.
    Reference{kKmeDocuments, "SKR_DOK", kDocumentKinds, "skr_dok", kMust},
    Reference{kKmeDocuments, "ID_OSOBY", kPersons, "Id_osoby", kMay},
    Reference{kKmeDocuments, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"KME", "Ruch_e.dbf"}, "id_ewid", kKmeDocuments, "ID_EWID", kMust},
    Reference{{"KME", "Ruch_e.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"KME", "zakr_ras.dbf"}, "id_rodzica", kKmeDocuments, "ID_EWID", kMust},
    Reference{kOutlines, "ID_OSOBY", kPersons, "Id_osoby", kMay},
    Reference{kOutlines, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"ZARYSY", "Ruch_z.dbf"}, "id_ewid", kOutlines, "ID_EWID", kMust},
    Reference{{"ZARYSY", "Ruch_z.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"ZARYSY", "zakr_ras.dbf"}, "id_rodzica", kOutlines, "ID_EWID", kMust},
    // Operats of the three kinds, each in its folder: an operat names its work, person and
    // the work of its order; movements and links name the operat. Only the register kind
    // links parcels; the other two keep raster extents.
    Reference{{"OPER_PR", "Operaty.dbf"}, "ID_ROBOTY", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_PR", "Operaty.dbf"}, "ID_OSOBY", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_PR", "Operaty.dbf"}, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_PR", "op_ruch.dbf"}, "id_ope", kRegisterOperats, "ID_OPE", kMust},
    Reference{{"OPER_PR", "op_ruch.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_PR", "op_cechy.dbf"}, "ID_OPE", kRegisterOperats, "ID_OPE", kMust},
    Reference{{"OPER_PR", "op_cechy.dbf"}, "ID_CECHY", kFeatures, "ID_CECHY", kMay},
    Reference{{"OPER_PR", "op_asor.dbf"}, "ID_OPE", kRegisterOperats, "ID_OPE", kMust},
    Reference{{"OPER_PR", "op_asor.dbf"}, "ID_ASORT", kAssortments, "ID_ASORT", kMay},
    Reference{{"OPER_BU", "Operaty.dbf"}, "ID_ROBOTY", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_BU", "Operaty.dbf"}, "ID_OSOBY", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_BU", "Operaty.dbf"}, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_BU", "op_ruch.dbf"}, "id_ope", kBaseOperats, "ID_OPE", kMust},
    Reference{{"OPER_BU", "op_ruch.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_BU", "op_cechy.dbf"}, "ID_OPE", kBaseOperats, "ID_OPE", kMust},
    Reference{{"OPER_BU", "op_cechy.dbf"}, "ID_CECHY", kFeatures, "ID_CECHY", kMay},
    Reference{{"OPER_BU", "op_asor.dbf"}, "ID_OPE", kBaseOperats, "ID_OPE", kMust},
    Reference{{"OPER_BU", "op_asor.dbf"}, "ID_ASORT", kAssortments, "ID_ASORT", kMay},
    Reference{{"OPER_PRZ", "Operaty.dbf"}, "ID_ROBOTY", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_PRZ", "Operaty.dbf"}, "ID_OSOBY", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_PRZ", "Operaty.dbf"}, "id_zam", kWorks, "ID_ROBOTY", kMay},
    Reference{{"OPER_PRZ", "op_ruch.dbf"}, "id_ope", kTransitionalOperats, "ID_OPE", kMust},
    Reference{{"OPER_PRZ", "op_ruch.dbf"}, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"OPER_PRZ", "op_cechy.dbf"}, "ID_OPE", kTransitionalOperats, "ID_OPE", kMust},
    Reference{{"OPER_PRZ", "op_cechy.dbf"}, "ID_CECHY", kFeatures, "ID_CECHY", kMay},
    Reference{{"OPER_PRZ", "op_asor.dbf"}, "ID_OPE", kTransitionalOperats, "ID_OPE", kMust},
    Reference{{"OPER_PRZ", "op_asor.dbf"}, "ID_ASORT", kAssortments, "ID_ASORT", kMay},
    Reference{{"OPER_PR", "obdg.dbf"}, "id_ope", kRegisterOperats, "ID_OPE", kMust},
    Reference{{"OPER_PR", "obdg.dbf"}, "id_dzialki", kParcels, "id_dzialki", kMay},
    Reference{{"OPER_BU", "zakr_ras.dbf"}, "id_rodzica", kBaseOperats, "ID_OPE", kMust},
    Reference{{"OPER_PRZ", "zakr_ras.dbf"}, "id_rodzica", kTransitionalOperats, "ID_OPE", kMust},
    // Field sketches.
    Reference{kSketches, "ID_ROBOTY", kWorks, "ID_ROBOTY", kMay},
    Reference{{"SZKICE", "szkcechy.dbf"}, "ID_SZK", kSketches, "ID_SZK", kMust},
    Reference{{"SZKICE", "szkcechy.dbf"}, "ID_CECHY", kFeatures, "ID_CECHY", kMay},
    Reference{{"SZKICE", "szkasor.dbf"}, "ID_SZK", kSketches, "ID_SZK", kMust},
    Reference{{"SZKICE", "szkasor.dbf"}, "ID_ASORT", kAssortments, "ID_ASORT", kMay},
    Reference{{"SZKICE", "zakr_ras.dbf"}, "id_rodzica", kSketches, "ID_SZK", kMust},
    // Works register: the works reported to it name their contractor and client; its
    // quantities, parcels and raster extents hang on the works written from it.
    Reference{kWorks, "WYKON", kPersons, "Id_osoby", kMay},
    Reference{kWorks, "ZLECEN", kPersons, "Id_osoby", kMay},
    Reference{{"KERG", "Kergasor.dbf"}, "ID_ROBOTY", kWorks, "ID_ROBOTY", kMust},
    Reference{{"KERG", "Kergasor.dbf"}, "ID_ASORT", kAssortments, "ID_ASORT", kMay},
    Reference{{"KERG", "obdg.dbf"}, "id_roboty", kWorks, "ID_ROBOTY", kMust},
    Reference{{"KERG", "obdg.dbf"}, "id_dzialki", kParcels, "id_dzialki", kMay},
    Reference{{"KERG", "zakr_ras.dbf"}, "id_rodzica", kWorks, "ID_ROBOTY", kMust},
    Reference{kParcels, "id_obr", kPrecincts, "id_obr", kMay},
    // Orders and settlements.
    Reference{kOrders, "Id_osoby", kPersons, "Id_osoby", kMay},
    Reference{kOrders, "Id_obsluga", kServices, "Id_obsluga", kMay},
    Reference{kOrders, "Id_asort", kOrderAssortments, "Id_asort", kMay},
    Reference{kOrders, "Id_kerg", kWorks, "ID_ROBOTY", kMay},
    Reference{kSettlements, "Id_zam", kOrders, "Id_zam", kMust},
    Reference{kSettlements, kPosition, kPricePositions, kPosition, kMay},
    Reference{kSettlements, "Nr_romap", kMapKinds, "nr_romap", kMay},
    // Price lists and templates.
    Reference{kPricePositions, "R_ceny", kPriceLists, "R_ceny", kMay},
    Reference{{"ZLECENIA", "wzorce.dbf"}, kPosition, kPricePositions, kPosition, kMay},
    // Cash receipts.
    Reference{{"ZLECENIA", "elkp.dbf"}, "Id_kp", kReceipts, "Id_kp", kMust},
    Reference{{"ZLECENIA", "elkp.dbf"}, "Id_zam", kOrders, "Id_zam", kMust, kSelfStandingOrder},
    // Coefficients.
    Reference{{"ZLECENIA", "wsprozl.dbf"}, "Id_rozl", kSettlements, "Id_rozl", kMust},
    Reference{{"ZLECENIA", "wsprozl.dbf"}, "Id_wspk", kCoefficients, "Id_wspk", kMust},
    // Map stock.
    Reference{kDeliveries, "id_osoby", kPersons, "Id_osoby", kMay},
    Reference{{"OBROT", "przychod.dbf"}, "ID_DOSTAWY", kDeliveries, "ID_DOSTAWY", kMust},
    Reference{{"OBROT", "przychod.dbf"}, "nr_romap", kMapKinds, "nr_romap", kMay},
    Reference{kMapKinds, "id_osoby", kPersons, "Id_osoby", kMay},
};

constexpr std::array kSequences = {
    SequenceUse{"SLOWNIK", kDescriptions, "skr_opis", 4},
    SequenceUse{"IND_DOK", kDocumentKinds, "skr_dok", 4},
    SequenceUse{"METRYKA", kDocuments, "id_dok", 8},
    SequenceUse{"M_EWID", kKmeDocuments, "ID_EWID", 8},
    SequenceUse{"Z_EWID", kOutlines, "ID_EWID", 8},
    SequenceUse{"OPERATY_PR", kRegisterOperats, "ID_OPE", 8},
    SequenceUse{"OPERATY_BU", kBaseOperats, "ID_OPE", 8},
    SequenceUse{"OPERATY_PRZ", kTransitionalOperats, "ID_OPE", 8},
    SequenceUse{"SZKICE", kSketches, "ID_SZK", 8},
    SequenceUse{"DOSTAWY", kDeliveries, "ID_DOSTAWY", 4},
    SequenceUse{"kart_zam", kOrders, "Id_zam", 8},
    SequenceUse{"rozlicz", kSettlements, "Id_rozl", 8},
    SequenceUse{"nrkp", kReceipts, "Id_kp", 8},
    SequenceUse{"opis_wsp", kCoefficients, "Id_wspk", 4},
    SequenceUse{"zasort", kOrderAssortments, "Id_asort", 4, true},
    SequenceUse{"obsluga", kServices, "Id_obsluga", 4, true},
    SequenceUse{"ROBOTY", kWorks, "ID_ROBOTY", 8, true},
    SequenceUse{"DZ", kParcels, "id_dzialki", 8, true},
    SequenceUse{"OBREB", kPrecincts, "id_obr", 4, true},
    SequenceUse{"ASORTYM", kAssortments, "ID_ASORT", 4, true},
    SequenceUse{"CECHY", kFeatures, "ID_CECHY", 4, true},
    SequenceUse{"OSOBY", kPersons, "Id_osoby", 8, true},
};

}  // namespace

std::span<const Reference> References() {
  return kReferences;
}

std::span<const SequenceUse> Sequences() {
  return kSequences;
}

const SequenceUse* SequenceOf(const TableName& table) {
  const auto found = std::find_if(kSequences.begin(), kSequences.end(),
                                  [&](const SequenceUse& use) { return use.table == table; });
  return found == kSequences.end() ? nullptr : &*found;
}

}  // namespace konwerter::verification
