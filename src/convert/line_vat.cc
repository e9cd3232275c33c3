#include "convert/line_vat.h"

#include <cctype>

namespace konwerter::convert {

namespace {

// The VAT code that a kind-V position starts with, in the form the Windows edition keeps.
std::string CodeOfPosition(std::string_view position) {
  const std::string code(position.substr(0, 2));
  if (code == " 7" || code == "7%") return "7";
  if (code == " 0" || code == "0%") return "0";
  return code;
}

}  // namespace

int VatRate(std::string_view code) {
  std::size_t at = 0;
  while (at < code.size() && code[at] == ' ') ++at;
  if (at == code.size()) return 0;
  int rate = 0;
  for (std::size_t i = at; i < code.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(code[i]))) return 0;
    rate = rate * 10 + (code[i] - '0');
  }
  return rate;
}

LineVat VatOfPosition(const run::PriceLists& lists, std::string_view key, double wartosc) {
  LineVat result;
  result.vat = lists.FindVat(key);
  if (result.vat) result.netto = wartosc / (1.0 + VatRate(*result.vat) / 100.0);
  return result;
}

void WriteLineVat(engine::Table& table, const LineVat& vat) {
  if (vat.empty_position) table.SetText("Pozycja", "");
  if (vat.vat) table.SetText("Vat", *vat.vat);
  if (vat.netto) table.SetNumber("Netto", *vat.netto);
}

LineVat VatOfLine(const run::PriceLists& lists, const PricedLine& line) {
  if (line.price_list < 1 || line.price_list >= run::PriceLists::kKinds) return {};
  switch (lists.Kind(line.price_list)) {
    case 'V':
      return {CodeOfPosition(line.position), line.wart_posr, true};
    case 'R':
      return {std::string("zw"), line.wartosc, false};
    default:
      return VatOfPosition(lists,
                           run::PricePositionKey(line.price_list, line.catalogue, line.position),
                           line.wartosc);
  }
}

}  // namespace konwerter::convert
