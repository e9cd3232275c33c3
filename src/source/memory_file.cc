#include "source/memory_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>

#include "platform/dos_path.h"
#include "platform/file.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "source/general_number_format.h"
#include "source/mem_layout.h"

namespace konwerter::source {

namespace {

using EntryHeader = std::array<std::uint8_t, mem::kEntryHeaderSize>;
constexpr std::uint8_t kEndOfFileByte = 0x1A;

std::string VariableName(const EntryHeader& header) {
  const auto name = std::span(header).first(mem::kNameSize);
  return std::string(name.begin(), std::find(name.begin(), name.end(), std::uint8_t{0}));
}

std::size_t ValueLength(const EntryHeader& header) {
  const std::uint8_t type = header[mem::kTypeOffset];
  if (type == mem::kTypeNumeric || type == mem::kTypeDate) return mem::kNumberSize;
  return platform::LoadU16(header, mem::kValueLengthOffset);
}

std::string RenderValue(std::uint8_t type, std::span<const std::uint8_t> value,
                        const CodePages& pages) {
  switch (type) {
    case mem::kTypeCharacter: {
      // The stored length counts the terminating zero byte.
      const std::string_view text(reinterpret_cast<const char*>(value.data()),
                                  value.empty() ? 0 : value.size() - 1);
      return ToProgramText(text, pages);
    }
    case mem::kTypeLogical:
      return value.size() == 1 && value[0] == mem::kTrue ? "1" : "0";
    case mem::kTypeNumeric:
    case mem::kTypeDate:
      return FormatGeneral(std::bit_cast<double>(platform::LoadU64(value, 0)));
    default:
      return std::string(value.begin(), value.end());
  }
}

// Appends the lines of every complete entry; stops at the first one the file cuts short.
void ReadEntries(platform::File& file, const CodePages& pages, std::vector<std::string>& lines,
                 MemoryFileFaults& faults) {
  EntryHeader header{};
  std::vector<std::uint8_t> value;
  std::size_t got = 0;
  while ((got = file.Read(header)) == header.size()) {
    value.resize(ValueLength(header));
    if (file.Read(value) < value.size()) {
      faults.truncated = true;
      return;
    }
    std::string name = VariableName(header);
    if (name.find('=') != std::string::npos) {
      std::replace(name.begin(), name.end(), '=', '?');
      ++faults.names_with_equals;
    }
    lines.push_back(name + "=" + RenderValue(header[mem::kTypeOffset], value, pages));
  }
  // The file ends cleanly, or with its end-of-file byte; anything else is a cut entry.
  faults.truncated = got > 1 || (got == 1 && header[0] != kEndOfFileByte);
}

}  // namespace

bool ReadMemoryFile(std::string_view path, const CodePages& pages, std::vector<std::string>& lines,
                    MemoryFileFaults* faults) {
  MemoryFileFaults ignored;
  auto file = platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  if (!file) return false;
  try {
    ReadEntries(*file, pages, lines, faults != nullptr ? *faults : ignored);
  } catch (const platform::IoError&) {
    return false;  // the lines read up to the fault stay
  }
  return true;
}

std::string ValueOf(const std::vector<std::string>& lines, std::string_view name) {
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos && std::string_view(line).substr(0, equals) == name) {
      return line.substr(equals + 1);
    }
  }
  return {};
}

}  // namespace konwerter::source
