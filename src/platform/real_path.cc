#include "platform/real_path.h"

#include <system_error>

#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/text_encoding.h"

namespace konwerter::platform {

namespace fs = std::filesystem;

std::vector<std::string> FoldedRealPath(const fs::path& path) {
  std::error_code error;
  fs::path real = fs::weakly_canonical(fs::absolute(path, error), error);
  if (error) real = fs::absolute(path, error).lexically_normal();
  std::vector<std::string> names;
  for (const fs::path& part : real) {
    const std::string name = part.string();
    if (name.empty() || name == "/") continue;
    names.push_back(ToUpperCp1250(Cp1250FromUtf8(name)));
  }
  return names;
}

bool IsWithin(const std::vector<std::string>& inner, const std::vector<std::string>& outer) {
  if (outer.size() > inner.size()) return false;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    if (outer[i] != inner[i]) return false;
  }
  return true;
}

bool LiesWithin(std::string_view inner, std::string_view outer) {
  return IsWithin(FoldedRealPath(HostPath(inner)), FoldedRealPath(HostPath(outer)));
}

}  // namespace konwerter::platform
