#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace konwerter::run {

// A price-position key: the price-list number right-aligned in 2 characters (as the index
// expression str(R_ceny,2) writes it), then the catalogue number and the position, each
// without trailing spaces. List 1, catalogue "A", position "12" give " 1A12".
std::string PricePositionKey(std::uint32_t price_list, std::string_view catalogue,
                             std::string_view position);

// What the price-list converter learns for the later converters of the orders domain: the
// kind of every price list, and the VAT code and price of every price position. Lives for
// the program's life; the price-list converter empties it each time it runs.
class PriceLists {
 public:
  static constexpr std::uint32_t kKinds = 100;  // price-list numbers 0 to 99 hold a kind

  void Clear();

  // The kind letter of a price list; '\0' when none (and for every number above 99).
  char Kind(std::uint32_t price_list) const;
  void SetKind(std::uint32_t price_list, char kind);

  // Adds a price position; `price_hundredths` is the price in whole hundredths.
  void AddPosition(std::string_view key, std::string_view vat, std::int64_t price_hundredths);
  // Sorts the positions for the look-ups; called once all are added.
  void Sort();

  // The VAT code and the price (in hundredths) of a key, letters compared without regard
  // to case. When several positions share a key, any one of them answers.
  std::optional<std::string> FindVat(std::string_view key) const;
  std::optional<std::int64_t> FindPrice(std::string_view key) const;

 private:
  struct Position {
    std::string key;  // upper case, so that equal keys compare equal whatever their case
    std::string vat;
    std::int64_t price_hundredths = 0;
  };
  const Position* Find(std::string_view key) const;

  std::array<char, kKinds> kinds_{};
  std::vector<Position> positions_;
};

// A price rounded to whole hundredths, halves to even.
std::int64_t PriceHundredths(double price);

}  // namespace konwerter::run
