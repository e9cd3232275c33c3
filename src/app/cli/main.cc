// konwerter-cli: the command-line front end. Each command is a function of the library
// konwerter_cli; this file only picks the command named first and passes it the rest.

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/convert_command.h"
#include "app/cli/generate_sample_command.h"
#include "app/cli/inspect_command.h"
#include "app/cli/verify_command.h"
#include "app/version.h"
#include "platform/console.h"

namespace {

using CommandFunction = int (*)(const std::vector<std::string>& arguments, std::ostream& out,
                                std::ostream& err);

struct Command {
  std::string_view name;
  std::string_view summary;  // Polish, UTF-8
  CommandFunction run;
};

constexpr int kExitUsage = 2;

// The commands, in the order `--help` lists them.
constexpr Command kCommands[] = {
    {"convert", "konwersja danych systemu DOS do nowej bazy systemu Windows",
     &konwerter::cli::RunConvert},
    {"verify", "sprawdzenie spójności bazy zapisanej przez konwersję", &konwerter::cli::RunVerify},
    {"generate-sample", "utworzenie przykładowych danych systemu DOS",
     &konwerter::cli::RunGenerateSample},
    // ---- tools for looking into the DOS data ----
    {"inspect", "podgląd pliku DOS: tabeli .dbf, indeksu .ntx, pliku .mem, polskie.lit",
     &konwerter::cli::RunInspect},
};

void PrintHelp(std::ostream& out) {
  out << "Użycie: konwerter-cli POLECENIE [argumenty]\n\n"
         "Konwerter danych systemu TEROKAN z wersji DOS do wersji Windows.\n\n"
         "Polecenia:\n";
  for (const Command& command : kCommands) {
    std::string name(command.name);
    name.resize(18, ' ');
    out << "  " << name << command.summary << "\n";
  }
  out << "\nPomoc do polecenia: konwerter-cli POLECENIE --help\n"
         "Wersja programu: konwerter-cli --version\n"
         "Kody wyjścia: 0 powodzenie, 1 błąd danych lub konwersji, 2 błędne wywołanie,\n"
         "3 konwersja nie rozpoczęta.\n";
}

}  // namespace

int main(int argc, char** argv) {
  const konwerter::platform::Utf8Console console;
  std::vector<std::string> arguments = konwerter::platform::ProgramArguments(argc, argv);
  if (!arguments.empty()) arguments.erase(arguments.begin());
  if (arguments.empty()) {
    PrintHelp(std::cerr);
    return kExitUsage;
  }
  const std::string& name = arguments.front();
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp(std::cout);
    return 0;
  }
  if (name == "--version") {
    std::cout << "konwerter-cli " << konwerter::app::VersionText() << "\n";
    return 0;
  }
  for (const Command& command : kCommands) {
    if (command.name == name) {
      return command.run({arguments.begin() + 1, arguments.end()}, std::cout, std::cerr);
    }
  }
  std::cerr << "konwerter-cli: nieznane polecenie: " << name << "\n\n";
  PrintHelp(std::cerr);
  return kExitUsage;
}
