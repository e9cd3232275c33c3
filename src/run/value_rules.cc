#include "run/value_rules.h"

namespace konwerter::run {

namespace {

constexpr platform::CalendarDate kInvalidDate{1900, 1, 1};

// Reads a part of the date: blanks around digits are allowed, nothing else.
std::optional<int> ParsePart(std::string_view part) {
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  if (part.empty()) return std::nullopt;
  int value = 0;
  for (const char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string_view Slice(std::string_view text, std::size_t from, std::size_t length) {
  return from < text.size() ? text.substr(from, length) : std::string_view();
}

}  // namespace

std::optional<platform::CalendarDate> DateFromDosText(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const auto year = ParsePart(Slice(text, 0, 4));
  const auto month = ParsePart(Slice(text, 4, 2));
  const auto day = ParsePart(Slice(text, 6, 2));
  if (!year || !month || !day) return kInvalidDate;
  const platform::CalendarDate date{*year, *month, *day};
  return platform::IsValidDate(date) ? date : kInvalidDate;
}

}  // namespace konwerter::run
