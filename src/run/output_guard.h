#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace konwerter::run {

// Why an output folder may not take a run's results; empty `text` when it may. Texts in
// cp1250, ready for the operator.
struct OutputRefusal {
  std::string text;
  bool refused() const { return !text.empty(); }
};

// The run writes and deletes files only under the output folder, so that folder must stay
// apart from the DOS data: it may not be, contain or lie inside any of `source_folders`
// (the installation and every folder a directory variable resolved to), compared as real
// paths without regard to letter case, and no link under it may lead out of it.
// All paths are program paths.
OutputRefusal CheckOutputFolder(std::string_view output_folder,
                                const std::vector<std::string>& source_folders);

}  // namespace konwerter::run
