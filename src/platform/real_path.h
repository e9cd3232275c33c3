#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace konwerter::platform {

// The real path of a host path (links followed, as far as it exists; the rest taken as
// written), each name folded to upper case, so that two names of one folder on a FAT or
// Windows volume compare equal.
std::vector<std::string> FoldedRealPath(const std::filesystem::path& path);

// True when `inner` is `outer` or lies inside it: their real paths, compared without regard
// to letter case. Program paths.
bool LiesWithin(std::string_view inner, std::string_view outer);

// True when the folded real path `outer` is `inner` or one of its ancestors.
bool IsWithin(const std::vector<std::string>& inner, const std::vector<std::string>& outer);

}  // namespace konwerter::platform
