#include "tests/oracles/oracle_runner.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "tests/support/temp_dir.h"

namespace konwerter::testing {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw std::runtime_error(std::string("not a hexadecimal digit: ") + c);
}

}  // namespace

std::string BytesFromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) throw std::runtime_error("odd number of hexadecimal digits");
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    bytes += static_cast<char>(HexDigit(hex[i]) * 16 + HexDigit(hex[i + 1]));
  }
  return bytes;
}

// Under Windows the interpreters live on the Linux side: oracle_runner_win32.cc.
#ifndef _WIN32

namespace {

// A word for /bin/sh, taken literally.
std::string ShellQuoted(std::string_view word) {
  std::string quoted = "'";
  for (const char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PipeCloser {
  void operator()(FILE* pipe) const {
    if (pipe != nullptr) ::pclose(pipe);
  }
};

}  // namespace

std::string RunOracleScript(std::string_view interpreter, std::string_view script,
                            const std::vector<std::string>& arguments) {
  const std::string script_path =
      std::string(KONWERTER_SOURCE_DIR) + "/tests/oracles/" + std::string(script);
  const TempDir scratch;
  const std::filesystem::path error_file = scratch.path() / "stderr.txt";
  std::string command = ShellQuoted(interpreter) + " " + ShellQuoted(script_path);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " 2>" + ShellQuoted(error_file.string());

  std::unique_ptr<FILE, PipeCloser> pipe(::popen(command.c_str(), "r"));
  if (!pipe) throw std::runtime_error("cannot start " + command);
  std::string output;
  char chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, pipe.get())) > 0) output.append(chunk, got);
  const int status = ::pclose(pipe.release());
  if (status != 0) {
    throw std::runtime_error(std::string(script) + " failed (status " + std::to_string(status) +
                             "): " + ReadText(error_file));
  }
  return output;
}

#endif  // _WIN32

}  // namespace konwerter::testing
