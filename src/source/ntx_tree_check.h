#pragma once

#include <cstdint>

#include "platform/file.h"
#include "source/index_fault.h"
#include "source/ntx_page_cache.h"

namespace konwerter::source {

// Reads every page of an index tree once, from its root page down, and finds the first fault
// that would make a look-up answer wrongly or not at all: a page beyond the file or off the
// page grid, a page whose slots leave it or whose keys are out of order, a page whose keys do
// not lie between the keys around it in the page above, a page met twice or deeper than 30
// levels, an entry whose record number is 0 or above `table_records`. Nothing when the tree is
// sound. Throws IoError on a read fault.
IndexFault CheckIndexTree(platform::File& file, const IndexPage& root, std::uint32_t root_offset,
                          std::uint16_t key_size, std::uint32_t table_records);

}  // namespace konwerter::source
