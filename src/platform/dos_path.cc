#include "platform/dos_path.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/text_encoding.h"

namespace konwerter::platform {

namespace {

namespace fs = std::filesystem;

char FoldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

bool Exists(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

// The entry of `folder` whose name equals `name` ignoring ASCII case; the first in name
// order when several do, so the choice does not depend on the directory's order.
std::optional<fs::path> FindIgnoringCase(const fs::path& folder, std::string_view name) {
  std::error_code error;
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
  if (error) return std::nullopt;
  std::optional<std::string> best;
  for (const auto& entry : entries) {
    std::string candidate = entry.path().filename().string();
    if (EqualIgnoringAsciiCase(candidate, name) && (!best || candidate < *best)) {
      best = std::move(candidate);
    }
  }
  if (!best) return std::nullopt;
  return folder / *best;
}

std::vector<std::string> SplitComponents(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (const char c : path) {
    if (c == '/' || c == '\\') {
      parts.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(std::move(current));
  return parts;
}

}  // namespace

fs::path HostPath(std::string_view path) {
  const std::string utf8 = Utf8FromCp1250(path);
  const std::vector<std::string> parts = SplitComponents(utf8);
  const bool absolute = !utf8.empty() && (utf8.front() == '/' || utf8.front() == '\\');
  fs::path result = absolute ? fs::path("/") : fs::path();
  bool resolving = true;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    fs::path next = result / part;
    if (resolving && part != "." && part != ".." && !Exists(next)) {
      if (auto found = FindIgnoringCase(result, part)) {
        next = std::move(*found);
      } else {
        resolving = false;  // nothing below a missing folder can exist
      }
    }
    result = std::move(next);
  }
  if (!utf8.empty() && (utf8.back() == '/' || utf8.back() == '\\')) result /= "";
  return result;
}

std::string HostForm(std::string_view path) {
  return Cp1250FromUtf8(HostPath(path).lexically_normal().string());
}

std::string WithTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (!result.empty() && !EndsWithSeparator(result)) result += '\\';
  return result;
}

bool EndsWithSeparator(std::string_view path) {
  return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

}  // namespace konwerter::platform
