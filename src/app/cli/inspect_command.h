#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace konwerter::cli {

// `konwerter-cli inspect FILE [--json] [--codepage N] [--raw] [--seek HEX] [--limit N]`:
// shows what the DOS-side readers make of one file of the DOS edition (a .dbf table, a
// .ntx index, a .mem memory file or polskie.lit). `arguments` are those after "inspect".
// Returns the exit code: 0 done, 1 the file cannot be read or is damaged, 2 bad usage.
int RunInspect(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace konwerter::cli
