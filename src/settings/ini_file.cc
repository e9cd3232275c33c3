#include "settings/ini_file.h"

#include <algorithm>
#include <sstream>

#include "platform/cp1250_case.h"
#include "platform/dos_path.h"
#include "platform/file.h"

namespace konwerter::settings {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsSectionHeader(std::string_view line) {
  line = Trim(line);
  return line.size() >= 2 && line.front() == '[' && line.find(']') != std::string_view::npos;
}

std::string_view SectionName(std::string_view line) {
  line = Trim(line);
  return Trim(line.substr(1, line.find(']') - 1));
}

std::string_view KeyName(std::string_view line) {
  const auto equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : Trim(line.substr(0, equals));
}

bool IsBlank(std::string_view line) {
  return Trim(line).empty();
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  std::istringstream in(platform::File::ReadWhole(platform::HostPath(path_)).value_or(""));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(std::move(line));
  }
}

std::size_t IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (IsSectionHeader(lines_[i]) &&
        platform::EqualIgnoringCaseCp1250(SectionName(lines_[i]), section))
      return i;
  }
  return kNone;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && !IsSectionHeader(lines_[end])) ++end;
  return end;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (platform::EqualIgnoringCaseCp1250(KeyName(lines_[i]), key)) return i;
  }
  return kNone;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string line = std::string(key) + "=" + std::string(value);
  std::size_t header = FindSection(section);
  if (header == kNone) {
    if (!lines_.empty() && !IsBlank(lines_.back())) lines_.emplace_back();
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(line);
    return;
  }
  if (const std::size_t found = FindKey(header, key); found != kNone) {
    // The key keeps the spelling it has in the file; only its value changes.
    const std::string& old = lines_[found];
    lines_[found] = std::string(Trim(std::string_view(old).substr(0, old.find('=')))) + "=" +
                    std::string(value);
    return;
  }
  // A new key goes after the section's last non-blank line.
  std::size_t insert_at = SectionEnd(header);
  while (insert_at > header + 1 && IsBlank(lines_[insert_at - 1])) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), line);
}

std::string IniFile::Get(std::string_view section, std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == kNone) return {};
  const std::size_t found = FindKey(header, key);
  if (found == kNone) return {};
  const std::string_view line = lines_[found];
  return std::string(Trim(line.substr(line.find('=') + 1)));
}

void IniFile::Save() const {
  std::string text;
  for (const std::string& line : lines_) text += line + "\r\n";
  platform::File file = platform::File::Create(platform::HostPath(path_));
  file.Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace konwerter::settings
