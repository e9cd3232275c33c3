#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace konwerter::testing {

// Runs one of the oracle scripts of tests/oracles with the system interpreter named (e.g.
// "/usr/bin/python3", "/usr/bin/perl") and returns what it printed on standard output.
// Throws std::runtime_error carrying the script's standard error when it cannot be started
// or ends with a non-zero status.
std::string RunOracleScript(std::string_view interpreter, std::string_view script,
                            const std::vector<std::string>& arguments);

// The bytes a text of hexadecimal digit pairs stands for.
// Throws std::runtime_error for anything else.
std::string BytesFromHex(std::string_view hex);

}  // namespace konwerter::testing
