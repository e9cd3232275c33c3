#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace konwerter::settings {

// An ini file kept the way the Windows profile writer keeps one: sections in brackets,
// "key=value" lines, CR LF line ends, text in cp1250. Setting a key replaces the value of
// an existing key (section and key names compared ignoring case) or adds the key at the
// end of its section, adding the section at the end of the file when it is new. Every other
// line of the file stays as it was.
class IniFile {
 public:
  // Reads the file when it exists; a missing file gives an empty one.
  explicit IniFile(std::string path);

  void Set(std::string_view section, std::string_view key, std::string_view value);
  // The value of a key; empty when absent.
  std::string Get(std::string_view section, std::string_view key) const;
  // Writes the whole file. Throws IoError when it cannot.
  void Save() const;

 private:
  // Line numbers of a section's header, of the end of its body, and of a key in it;
  // npos-like kNone when absent.
  std::size_t FindSection(std::string_view section) const;
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindKey(std::size_t header, std::string_view key) const;

  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace konwerter::settings
