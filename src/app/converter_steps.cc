#include "app/converter_steps.h"

#include "convert/cash_receipts.h"
#include "convert/coefficients.h"
#include "convert/map_stock.h"
#include "convert/orders.h"
#include "convert/persons.h"
#include "convert/price_lists.h"
#include "convert/templates.h"
#include "settings/coordinate_systems.h"

namespace konwerter::app {

const std::vector<ConverterStep>& ConverterSteps() {
  static const std::vector<ConverterStep> steps = {
      // The map documentation registers (KMZ, KME, outlines, operats kinds 1 to 3, field
      // sketches) come first, each followed by a pause.

      // The orders domain: map stock, price lists, order cards and settlements, cash
      // receipts, templates, coefficients, statutory interest, sales register.
      {"obrót mapami", [](run::RunContext& context) { convert::ConvertMapStock(context); }, true},
      {"cenniki", [](run::RunContext& context) { convert::ConvertPriceLists(context); }, true},
      {"zlecenia i rozliczenia", [](run::RunContext& context) { convert::ConvertOrders(context); },
       true},
      {"dowody KP", [](run::RunContext& context) { convert::ConvertCashReceipts(context); }, true},
      {"wzorce", [](run::RunContext& context) { convert::ConvertTemplates(context); }, true},
      {"współczynniki", [](run::RunContext& context) { convert::ConvertCoefficients(context); },
       false},
      {"odsetki ustawowe",
       [](run::RunContext& context) { convert::ConvertStatutoryInterest(context); }, false},
      {"rejestr sprzedaży",
       [](run::RunContext& context) { convert::ConvertSalesRegister(context); }, false},

      // The dictionaries, after every converter that refers to their records: order
      // assortments, services, works, parcels, precincts, assortments, features.

      {"osoby",
       [](run::RunContext& context) {
         convert::ConvertPersons(context, context.options.delete_unlinked_persons);
       },
       true},
      {"układy współrzędnych",
       [](run::RunContext& context) { settings::ConvertCoordinateSystems(context); }, false},
  };
  return steps;
}

}  // namespace konwerter::app
