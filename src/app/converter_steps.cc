#include "app/converter_steps.h"

#include "convert/persons.h"
#include "settings/coordinate_systems.h"

namespace konwerter::app {

const std::vector<ConverterStep>& ConverterSteps() {
  static const std::vector<ConverterStep> steps = {
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
