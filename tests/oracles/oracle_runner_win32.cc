// The oracles under Wine: the interpreters are Linux programs, which a Windows program cannot
// start, so each request goes through a spool folder to oracle_spool.py on the Linux side,
// which runs the script on the very files this program wrote and hands back its output.
#ifdef _WIN32

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "tests/oracles/oracle_runner.h"

namespace konwerter::testing {

namespace {

namespace fs = std::filesystem;

// Wine tells where a Windows path lies in the Linux file system.
using UnixNameFunction = char*(CDECL*)(const wchar_t*);

std::string UnixPath(const std::string& windows_path) {
  static const auto unix_name = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (unix_name == nullptr) throw std::runtime_error("the oracles run only under Wine");
  const fs::path path(std::u8string(windows_path.begin(), windows_path.end()));
  char* const name = unix_name(path.c_str());
  if (name == nullptr) throw std::runtime_error("no Linux path for " + windows_path);
  std::string result(name);
  ::HeapFree(::GetProcessHeap(), 0, name);
  return result;
}

bool IsWindowsPath(const std::string& text) {
  return text.size() > 2 && text[1] == ':' && (text[2] == '\\' || text[2] == '/');
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The last line of every request; oracle_spool.py answers only complete requests.
constexpr std::string_view kEndOfRequest = "--end-of-request--";

fs::path SpoolFolder() {
  const char* spool = std::getenv("KONWERTER_ORACLE_SPOOL");
  if (spool == nullptr || *spool == '\0') {
    throw std::runtime_error(
        "the oracles need their Linux side: run tests/oracles/oracle_spool.py SPOOL and set "
        "KONWERTER_ORACLE_SPOOL=SPOOL (ctest --preset windows does both)");
  }
  std::string folder = std::string("Z:") + spool;  // Wine's drive Z: is the Linux root
  return fs::path(std::u8string(folder.begin(), folder.end()));
}

}  // namespace

std::string RunOracleScript(std::string_view interpreter, std::string_view script,
                            const std::vector<std::string>& arguments) {
  static std::atomic<int> counter{0};
  const fs::path spool = SpoolFolder();
  const std::string name =
      std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
  // Written straight under its final name and closed by an end line, which the Linux side
  // waits for: a rename under Wine now and then fails with an I/O error.
  {
    std::ofstream request(spool / (name + ".req"), std::ios::binary);
    request << interpreter << '\n' << script << '\n';
    for (const std::string& argument : arguments) {
      request << (IsWindowsPath(argument) ? UnixPath(argument) : argument) << '\n';
    }
    request << kEndOfRequest << '\n';
    if (!request) throw std::runtime_error("cannot write an oracle request into the spool");
  }

  // The Linux side answers with .out (standard output), .err and last .done (the status).
  const fs::path done = spool / (name + ".done");
  std::error_code error;
  for (int waited = 0; !fs::exists(done, error); waited += 10) {
    if (waited > 600'000) throw std::runtime_error("no answer from oracle_spool.py");
    ::Sleep(10);
  }
  const std::string status = ReadText(done);
  std::string output = ReadText(spool / (name + ".out"));
  const std::string errors = ReadText(spool / (name + ".err"));
  for (const char* ending : {".done", ".out", ".err"}) fs::remove(spool / (name + ending), error);
  if (status != "0") {
    throw std::runtime_error(std::string(script) + " failed (status " + status + "): " + errors);
  }
  return output;
}

}  // namespace konwerter::testing

#endif  // _WIN32
