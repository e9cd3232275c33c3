#include "app/converter_steps.h"

#include "convert/cash_receipts.h"
#include "convert/coefficients.h"
#include "convert/dictionaries.h"
#include "convert/field_sketches.h"
#include "convert/map_documentation.h"
#include "convert/map_registers.h"
#include "convert/map_stock.h"
#include "convert/operats.h"
#include "convert/orders.h"
#include "convert/persons.h"
#include "convert/price_lists.h"
#include "convert/templates.h"
#include "convert/works.h"
#include "settings/coordinate_systems.h"

namespace konwerter::app {

const std::vector<ConverterStep>& ConverterSteps() {
  static const std::vector<ConverterStep> steps = {
      // The map documentation registers (KMZ, KME, outlines, operats kinds 1 to 3, field
      // sketches) come first, each followed by a pause.
      {"KMZ", [](run::RunContext& context) { return convert::ConvertMapDocumentation(context); },
       true},
      {"KME", [](run::RunContext& context) { return convert::ConvertKme(context); }, true},
      {"zarysy", [](run::RunContext& context) { return convert::ConvertOutlines(context); }, true},
      {"operaty ewidencyjne",
       [](run::RunContext& context) {
         return convert::ConvertOperats(context, convert::OperatKind::kRegister);
       },
       true},
      {"operaty bazowo-użytkowe",
       [](run::RunContext& context) {
         return convert::ConvertOperats(context, convert::OperatKind::kBaseAndUse);
       },
       true},
      {"operaty przejściowe",
       [](run::RunContext& context) {
         return convert::ConvertOperats(context, convert::OperatKind::kTransitional);
       },
       true},
      {"szkice polowe",
       [](run::RunContext& context) { return convert::ConvertFieldSketches(context); }, true},

      // The orders domain: map stock, price lists, order cards and settlements, cash
      // receipts, templates, coefficients, statutory interest, sales register.
      {"obrót mapami", [](run::RunContext& context) { return convert::ConvertMapStock(context); },
       true},
      {"cenniki", [](run::RunContext& context) { return convert::ConvertPriceLists(context); },
       true},
      {"zlecenia i rozliczenia",
       [](run::RunContext& context) { return convert::ConvertOrders(context); }, true},
      {"dowody KP", [](run::RunContext& context) { return convert::ConvertCashReceipts(context); },
       true},
      {"wzorce", [](run::RunContext& context) { return convert::ConvertTemplates(context); }, true},
      {"współczynniki",
       [](run::RunContext& context) { return convert::ConvertCoefficients(context); }, false},
      {"odsetki ustawowe",
       [](run::RunContext& context) { return convert::ConvertStatutoryInterest(context); }, false},
      {"rejestr sprzedaży",
       [](run::RunContext& context) { return convert::ConvertSalesRegister(context); }, false},

      // The dictionaries, after every converter that refers to their records: order
      // assortments, services, works, parcels, precincts, assortments, features.
      {"asortymenty zleceń",
       [](run::RunContext& context) {
         return convert::ConvertOrderAssortments(context,
                                                 context.options.delete_unlinked_assortments);
       },
       true},
      {"obsługa",
       [](run::RunContext& context) {
         return convert::ConvertServices(context, context.options.delete_unlinked_persons);
       },
       false},
      {"roboty",
       [](run::RunContext& context) {
         return convert::ConvertWorks(context, context.options.delete_unlinked_works);
       },
       true},
      {"działki",
       [](run::RunContext& context) {
         return convert::ConvertParcels(context, context.options.delete_unlinked_parcels);
       },
       true},
      {"obręby",
       [](run::RunContext& context) {
         return convert::ConvertPrecincts(context, context.options.delete_unlinked_precincts);
       },
       false},
      {"asortymenty",
       [](run::RunContext& context) {
         return convert::ConvertWorkAssortments(context,
                                                context.options.delete_unlinked_assortments);
       },
       false},
      {"cechy",
       [](run::RunContext& context) {
         return convert::ConvertFeatures(context, context.options.delete_unlinked_assortments);
       },
       false},

      {"osoby",
       [](run::RunContext& context) {
         return convert::ConvertPersons(context, context.options.delete_unlinked_persons);
       },
       true},
      {"układy współrzędnych",
       [](run::RunContext& context) { return settings::ConvertCoordinateSystems(context); }, false},
  };
  return steps;
}

}  // namespace konwerter::app
