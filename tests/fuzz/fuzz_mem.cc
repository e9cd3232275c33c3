// Feeds arbitrary bytes to the memory-file reader, with and without transliteration.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "source/memory_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const konwerter::fuzz::FuzzFile file("BDGLOBAL.MEM", data, size);
  konwerter::source::CodePages pages;
  pages.source = size % 2 == 0 ? konwerter::source::kMazoviaPage : konwerter::source::kNoCodePage;
  std::vector<std::string> lines;
  konwerter::source::ReadMemoryFile(file.program_path(), pages, lines);
  konwerter::source::ValueOf(lines, "BDGOSOBY");
  return 0;
}
