#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace konwerter::platform {

// Paths inside the program are the system's text (cp1250) in the form the DOS and Windows
// editions build them: folders joined with backslashes ("...\GOSOBY\osoby.dbf"). The files
// themselves come from FAT volumes and may be stored in any letter case (OSOBY.DBF).

// Maps a program path to the host file system: backslashes become separators, the text
// becomes UTF-8, and every component that does not exist as written is looked up in its
// folder as Polish text without regard to letter case: host names in UTF-8, and names copied
// byte for byte from a DOS volume, whose Polish letters are in code page 852. Components that match
// nothing are kept as written, so the result names where a new file would go.
std::filesystem::path HostPath(std::string_view path);

// A program path as the host names it, for messages: HostPath's result, normalised, in
// cp1250 (the system's text).
std::string HostForm(std::string_view path);

// The path with one backslash at its end; an empty path stays empty.
std::string WithTrailingBackslash(std::string_view path);

// True when the text ends with a backslash or a slash.
bool EndsWithSeparator(std::string_view path);

}  // namespace konwerter::platform
