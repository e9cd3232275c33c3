#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace konwerter::renumber {

// The commune renumbering of one run: new statistical numbers by old number 0..9999.
// An entry of 0 means the commune keeps its number.
class RenumberingTable {
 public:
  static constexpr int kSize = 10000;

  void Clear() { entries_.fill(0); }
  // REQUIRES: old_number < kSize, new_number <= 9999.
  void Set(int old_number, std::uint16_t new_number) {
    entries_[static_cast<std::size_t>(old_number)] = new_number;
  }
  std::uint16_t NewNumber(int old_number) const {
    return entries_[static_cast<std::size_t>(old_number)];
  }

 private:
  std::array<std::uint16_t, kSize> entries_{};
};

// The renumbering rule for a commune number held as text. Renumbers only when `enabled`
// (the main window's "Konwersja numerów gmin"); otherwise the number is only normalised.
// Text that is not a number of at most 9999 is returned unchanged. The result is at least
// three digits, zero-padded; with `keep_width` it is space-padded on the left back to the
// length of the given text.
std::string RenumberCommuneText(std::string_view text, bool keep_width,
                                const RenumberingTable& table, bool enabled);

// The same rule for a commune number held as an integer (keep-width off).
std::string RenumberCommuneNumber(std::int64_t number, const RenumberingTable& table, bool enabled);

// Parses a whole text (surrounding spaces removed) as a decimal number whose low 16 bits
// are at most 9999, as the renumbering file and the rule read commune numbers.
bool ParseCommuneNumber(std::string_view text, int& number);

}  // namespace konwerter::renumber
