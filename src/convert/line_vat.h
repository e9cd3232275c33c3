#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "run/price_lists.h"
#include "target/engine/table.h"

namespace konwerter::convert {

// The VAT code and net amount of a settlement line or template.
struct LineVat {
  std::optional<std::string> vat;  // none: Vat stays empty
  std::optional<double> netto;     // none: Netto stays empty
  bool empty_position = false;     // the position held the VAT code and is emptied
};

// One priced line as the source holds it.
struct PricedLine {
  std::uint32_t price_list = 0;
  std::string_view catalogue;
  std::string_view position;
  double wart_posr = 0;
  double wartosc = 0;
};

// Writes a line's Vat and Netto into the pending record, emptying Pozycja when the position
// held the code; what the line lacks stays empty.
void WriteLineVat(engine::Table& table, const LineVat& vat);

// The VAT code and net amount of a line by the kind of its price list (1 to 99 only):
// kind V takes the code from the position and the net from wart_posr, kind R is exempt
// ("zw", net = wartosc), any other kind looks the position up in the VAT code list and
// takes the gross amount back to net by the code's rate.
LineVat VatOfLine(const run::PriceLists& lists, const PricedLine& line);

// The VAT code of a price position, looked up, with the net amount of `wartosc` at its rate.
LineVat VatOfPosition(const run::PriceLists& lists, std::string_view key, double wartosc);

// The rate of a VAT code: the code read as a decimal integer after leading spaces; 0 for a
// code that is no integer ("zw", "7%").
int VatRate(std::string_view code);

}  // namespace konwerter::convert
