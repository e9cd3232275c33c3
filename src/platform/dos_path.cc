#include "platform/dos_path.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/cp1250_case.h"
#include "platform/text_encoding.h"

namespace konwerter::platform {

#ifdef _WIN32

// Windows finds files whatever the letter case of their names and knows drive letters, so
// the path is used as it stands, with backslashes between its folders.
std::filesystem::path HostPath(std::string_view path) {
  std::string utf8 = Utf8FromCp1250(path);
  std::replace(utf8.begin(), utf8.end(), '/', '\\');
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

#else

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

// The 18 Polish letters in code page 852 and, at the same place, in cp1250.
constexpr std::string_view kPolishCp852 =
    "\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE";
constexpr std::string_view kPolishCp1250 =
    "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const std::size_t length = byte < 0x80         ? 1
                               : (byte >> 5) == 6  ? 2
                               : (byte >> 4) == 14 ? 3
                               : (byte >> 3) == 30 ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

// A host file name as Polish text in upper case, for comparing names. Names in UTF-8 read as
// such; a name that is no UTF-8 was copied byte for byte from a DOS volume and holds its
// Polish letters in code page 852.
std::string FoldedName(std::string_view name) {
  std::string text;
  if (IsUtf8(name)) {
    text = Cp1250FromUtf8(name);
  } else {
    text = std::string(name);
    for (char& c : text) {
      if (const auto at = kPolishCp852.find(c); at != std::string_view::npos) {
        c = kPolishCp1250[at];
      }
    }
  }
  return ToUpperCp1250(text);
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
  const std::string wanted = FoldedName(name);
  for (const auto& entry : entries) {
    std::string candidate = entry.path().filename().string();
    const bool same = EqualIgnoringAsciiCase(candidate, name) || FoldedName(candidate) == wanted;
    if (same && (!best || candidate < *best)) {
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

#endif  // _WIN32

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
