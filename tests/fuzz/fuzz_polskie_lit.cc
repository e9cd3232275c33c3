// Feeds arbitrary bytes to the code-page detection as `polskie.lit`, then transliterates the
// input itself from the page it names.

#include <cstddef>
#include <cstdint>
#include <string>

#include "source/transliteration.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const konwerter::fuzz::FuzzFile file("POLSKIE.LIT", data, size);
  konwerter::source::CodePages pages;
  konwerter::source::DetectSourceCodePage(file.program_folder(), pages);
  const std::string text(reinterpret_cast<const char*>(data), size);
  konwerter::source::ToProgramText(text, pages);
  konwerter::source::Transliterate(text, pages.target, pages.source);
  return 0;
}
