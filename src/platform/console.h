#pragma once

#include <string>
#include <vector>

namespace konwerter::platform {

// The command-line arguments as UTF-8, whatever the system's own code page: on Windows they
// are taken from the wide command line, elsewhere argv is already UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// While it lives, the console shows the program's UTF-8 output and reads UTF-8 input, so
// Polish letters appear correctly in the Windows console (cmd.exe); the console's earlier
// code pages come back when it goes. Does nothing outside Windows.
class Utf8Console {
 public:
  Utf8Console();
  ~Utf8Console();  // NOLINT(performance-trivially-destructible): Windows restores code pages
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  [[maybe_unused]] unsigned output_code_page_ = 0;
  [[maybe_unused]] unsigned input_code_page_ = 0;
};

}  // namespace konwerter::platform
