// Feeds arbitrary bytes to the Clipper index reader: open, then look up keys derived from
// the input (and one of the index's own key size).

#include <cstddef>
#include <cstdint>
#include <string>

#include "source/clipper_index.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const konwerter::fuzz::FuzzFile file("INDEKS.NTX", data, size);
  konwerter::source::ClipperIndex index;
  index.Open(file.program_path());
  if (!index.is_open()) return 0;
  const std::string tail(reinterpret_cast<const char*>(data) + (size > 8 ? size - 8 : 0),
                         reinterpret_cast<const char*>(data) + size);
  index.Seek(tail);
  index.Seek(std::string(index.key_size(), '\xFF'));
  index.Seek("");
  index.Seek(tail.substr(0, 4));
  index.Close();
  return 0;
}
