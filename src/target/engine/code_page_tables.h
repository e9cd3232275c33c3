#pragma once

#include <array>
#include <cstdint>

namespace konwerter::engine {

// The program's text is cp1250; tables with the Polish language driver store cp852.
// Letters map one to one; characters the other page lacks become an ASCII stand-in
// (quotes, dashes, box drawing) or "?".
extern const std::array<std::uint8_t, 256> kCp1250ToCp852;
extern const std::array<std::uint8_t, 256> kCp852ToCp1250;

}  // namespace konwerter::engine
