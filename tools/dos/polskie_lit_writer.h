#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace konwerter::tools {

// `polskie.lit`, the DOS edition's letter file: the byte at offset 141 names the DOS code
// page the site's data is stored in.
inline constexpr std::size_t kPolskieLitMarkerOffset = 141;
inline constexpr std::size_t kPolskieLitSize = 256;

// The marker bytes the DOS edition writes.
inline constexpr std::uint8_t kPolskieLitCp852 = 'c';
inline constexpr std::uint8_t kPolskieLitMazovia = 'n';
inline constexpr std::uint8_t kPolskieLit7C = '|';
inline constexpr std::uint8_t kPolskieLit8D = 0x8D;

// Writes a `polskie.lit` of `size` bytes, all spaces but the marker at offset 141. A size
// of 141 or less gives a file too short to hold a marker (the marker is then left out).
// Throws platform::IoError when the file cannot be written.
void WritePolskieLit(const std::filesystem::path& path, std::uint8_t marker,
                     std::size_t size = kPolskieLitSize);

}  // namespace konwerter::tools
