#include "app/window/run_watch.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace konwerter::app::window {

void TableWatch::ShowTable(std::string_view caption, int record_maximum) {
  const std::string prefix = platform::Cp1250FromUtf8("Tworzenie tabeli: ");
  table_ = std::string(caption.starts_with(prefix) ? caption.substr(prefix.size()) : caption);
  shown_.ShowTable(caption, record_maximum);
}

std::string StoppedAtFact(std::string_view table) {
  return platform::Cp1250FromUtf8("Konwersję przerwano podczas tworzenia tabeli: ") +
         std::string(table);
}

platform::MessageAnswer RunMessages::Show(const platform::OperatorMessage& message) {
  const std::string& table = watch_.table();
  const bool names_table =
      std::any_of(message.facts.begin(), message.facts.end(),
                  [&](const std::string& fact) { return fact.find(table) != std::string::npos; });
  if (message.icon != platform::MessageIcon::kStop || table.empty() || names_table) {
    return shown_.Show(message);
  }
  platform::OperatorMessage ending = message;
  ending.facts.push_back(StoppedAtFact(table));
  return shown_.Show(ending);
}

}  // namespace konwerter::app::window
