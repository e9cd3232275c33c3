#include "tools/dos/mem_writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "platform/file.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "source/mem_layout.h"

namespace konwerter::tools {

namespace {

namespace mem = source::mem;

constexpr std::uint8_t kDefaultDecimals = 2;    // Clipper's SET DECIMALS at start
constexpr std::size_t kMaxTextLength = 0xFFFE;  // the length field counts one more byte

std::vector<std::uint8_t> EntryHeader(const MemVariable& variable, std::uint8_t type) {
  if (variable.name.empty() || variable.name.size() > mem::kMaxNameLength) {
    throw std::invalid_argument("a memory variable name has 1 to 10 characters: \"" +
                                variable.name + "\"");
  }
  std::vector<std::uint8_t> header(mem::kEntryHeaderSize, 0);
  std::copy(variable.name.begin(), variable.name.end(), header.begin() + mem::kNameOffset);
  header[mem::kTypeOffset] = type;
  return header;
}

void AppendDouble(std::vector<std::uint8_t>& bytes, double value) {
  const std::size_t at = bytes.size();
  bytes.resize(at + mem::kNumberSize);
  platform::StoreU64(bytes, at, std::bit_cast<std::uint64_t>(value));
}

std::vector<std::uint8_t> CharacterEntry(const MemVariable& variable) {
  if (variable.text.size() > kMaxTextLength) {
    throw std::invalid_argument("memory variable " + variable.name + " holds too long a text");
  }
  std::vector<std::uint8_t> entry = EntryHeader(variable, mem::kTypeCharacter);
  platform::StoreU16(entry, mem::kValueLengthOffset,
                     static_cast<std::uint16_t>(variable.text.size() + 1));
  entry.insert(entry.end(), variable.text.begin(), variable.text.end());
  entry.push_back(0);
  return entry;
}

// Clipper records a number's width, plus the decimals and their point when it has any.
std::vector<std::uint8_t> NumericEntry(const MemVariable& variable) {
  std::vector<std::uint8_t> entry = EntryHeader(variable, mem::kTypeNumeric);
  const int decimals = variable.decimals;
  entry[mem::kWidthOffset] =
      static_cast<std::uint8_t>(mem::kNumberWidth + (decimals == 0 ? 0 : decimals + 1));
  entry[mem::kDecimalsOffset] = variable.decimals;
  AppendDouble(entry, variable.number);
  return entry;
}

std::vector<std::uint8_t> DateEntry(const MemVariable& variable) {
  std::vector<std::uint8_t> entry = EntryHeader(variable, mem::kTypeDate);
  entry[mem::kWidthOffset] = mem::kDateWidth;
  AppendDouble(entry, variable.number);
  return entry;
}

std::vector<std::uint8_t> LogicalEntry(const MemVariable& variable) {
  std::vector<std::uint8_t> entry = EntryHeader(variable, mem::kTypeLogical);
  entry[mem::kValueLengthOffset] = mem::kLogicalSize;
  entry.push_back(variable.logical ? 1 : 0);
  return entry;
}

std::vector<std::uint8_t> Entry(const MemVariable& variable) {
  switch (variable.type) {
    case MemVariable::Type::kCharacter:
      return CharacterEntry(variable);
    case MemVariable::Type::kNumeric:
      return NumericEntry(variable);
    case MemVariable::Type::kDate:
      return DateEntry(variable);
    case MemVariable::Type::kLogical:
      return LogicalEntry(variable);
  }
  throw std::invalid_argument("unknown memory variable type");
}

void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  platform::File file = platform::File::Create(path);
  file.Write(bytes);
  if (!file.Close()) throw platform::IoError(platform::IoFault::kClose, path.string());
}

}  // namespace

MemVariable MemVariable::Character(std::string name, std::string text) {
  MemVariable variable;
  variable.name = std::move(name);
  variable.type = Type::kCharacter;
  variable.text = std::move(text);
  return variable;
}

MemVariable MemVariable::Numeric(std::string name, double value) {
  MemVariable variable;
  variable.name = std::move(name);
  variable.type = Type::kNumeric;
  variable.number = value;
  variable.decimals = value == std::trunc(value) ? 0 : kDefaultDecimals;
  return variable;
}

MemVariable MemVariable::Date(std::string name, double day_number) {
  MemVariable variable;
  variable.name = std::move(name);
  variable.type = Type::kDate;
  variable.number = day_number;
  return variable;
}

MemVariable MemVariable::Logical(std::string name, bool value) {
  MemVariable variable;
  variable.name = std::move(name);
  variable.type = Type::kLogical;
  variable.logical = value;
  return variable;
}

double ClipperDayNumber(int year, int month, int day) {
  // The Julian day number of a Gregorian date (Fliegel and Van Flandern).
  const int a = (14 - month) / 12;
  const int y = year + 4800 - a;
  const int m = month + 12 * a - 3;
  const int day_number = day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
  return day_number;
}

void WriteMemFile(const std::filesystem::path& path, const std::vector<MemVariable>& variables) {
  std::vector<std::uint8_t> bytes;
  for (const MemVariable& variable : variables) {
    const std::vector<std::uint8_t> entry = Entry(variable);
    bytes.insert(bytes.end(), entry.begin(), entry.end());
  }
  bytes.push_back(mem::kEndOfFile);
  WriteWholeFile(path, bytes);
}

}  // namespace konwerter::tools
