#include "target/engine/engine.h"

#include "platform/clock.h"
#include "target/engine/record_layout.h"

namespace konwerter::engine {

Engine::Engine() : today_(platform::SystemClock().Today()) {}

void Engine::SetDriverParameter(std::string_view name, std::string_view value) {
  driver_parameters_[UpperAscii(name)] = std::string(value);
}

std::string Engine::DriverParameter(std::string_view name) const {
  const auto found = driver_parameters_.find(UpperAscii(name));
  return found == driver_parameters_.end() ? std::string() : found->second;
}

}  // namespace konwerter::engine
