#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace konwerter::engine {

// The order of character keys of the db852po0 language driver, over cp852 bytes: primary
// weights position by position (case-insensitive; each Polish letter right after its base
// letter), then secondary weights (lower case before upper case, except that the driver's
// table puts Ą before ą). Everything that orders character keys goes through these
// functions, so the collation can be swapped in one place.

// <0, 0 or >0 as `a` sorts before, with, or after `b`. Keys of different lengths compare as
// if the shorter were padded with spaces.
int CompareCollated(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b);

// Appends a byte string whose plain byte order (memcmp) equals CompareCollated's order for
// keys of the same length; used to sort many keys at once.
void AppendCollationSortKey(std::span<const std::uint8_t> key, std::string& out);

// The first out.size() bytes of the byte string AppendCollationSortKey gives for `key`,
// zero-filled beyond its end: a fixed-size head of the order without building the whole.
void CollationSortKeyHead(std::span<const std::uint8_t> key, std::span<std::uint8_t> out);

// UPPER() of the driver: the upper-case cp852 byte of a cp852 byte (a-z and the accented
// letters, Polish letters included); other bytes unchanged.
std::uint8_t UpperCp852(std::uint8_t byte);

}  // namespace konwerter::engine
