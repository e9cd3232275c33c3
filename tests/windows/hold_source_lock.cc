// hold_source_lock USERS_DBF: takes the source lock on the file the way a conversion does,
// prints "held" and keeps it until its standard input ends. Lets a script check, under
// Wine, that a second program cannot start a conversion of the same data meanwhile.

#include <iostream>
#include <optional>
#include <string>

#include "platform/console.h"
#include "platform/source_lock.h"
#include "platform/text_encoding.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = konwerter::platform::ProgramArguments(argc, argv);
  if (arguments.size() != 2) {
    std::cerr << "hold_source_lock USERS_DBF\n";
    return 2;
  }
  using konwerter::platform::SourceLock;
  std::optional<SourceLock> lock;
  const SourceLock::Outcome outcome =
      SourceLock::Take(konwerter::platform::Cp1250FromUtf8(arguments[1]), lock);
  if (outcome != SourceLock::Outcome::kTaken) {
    std::cerr << "cannot take the lock\n";
    return 1;
  }
  std::cout << "held" << std::endl;
  for (std::string line; std::getline(std::cin, line);) {
  }
  return 0;
}
