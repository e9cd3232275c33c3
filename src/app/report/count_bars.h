#pragma once

#include <cstdint>
#include <string>

namespace konwerter::app {

// The records of one table walk as a small picture for the report: three horizontal bars
// (read, written, skipped) drawn to `scale` records for the full width, as inline SVG with
// its numbers as its text alternative, `width` pixels wide. A count above 0 always shows.
std::string CountBarsSvg(std::uint64_t read, std::uint64_t written, std::uint64_t skipped,
                         std::uint64_t scale, int width = 160);

// The legend of the bars: their colours and what each counts.
std::string CountBarsLegend();

}  // namespace konwerter::app
