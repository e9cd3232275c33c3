#include "run/price_lists.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/cp1250_case.h"

namespace konwerter::run {

namespace {

std::string_view TrimmedRight(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

std::string PricePositionKey(std::uint32_t price_list, std::string_view catalogue,
                             std::string_view position) {
  char number[16];
  std::snprintf(number, sizeof number, "%2u", static_cast<unsigned>(price_list));
  std::string key(number);
  key += TrimmedRight(catalogue);
  key += TrimmedRight(position);
  return key;
}

std::int64_t PriceHundredths(double price) {
  return static_cast<std::int64_t>(std::nearbyint(price * 100.0));  // halves to even
}

void PriceLists::Clear() {
  kinds_.fill('\0');
  positions_.clear();
}

char PriceLists::Kind(std::uint32_t price_list) const {
  return price_list < kKinds ? kinds_[price_list] : '\0';
}

void PriceLists::SetKind(std::uint32_t price_list, char kind) {
  if (price_list >= 1 && price_list < kKinds) kinds_[price_list] = kind;
}

void PriceLists::AddPosition(std::string_view key, std::string_view vat,
                             std::int64_t price_hundredths) {
  positions_.push_back({platform::ToUpperCp1250(key), std::string(vat), price_hundredths});
}

void PriceLists::Sort() {
  std::stable_sort(positions_.begin(), positions_.end(),
                   [](const Position& a, const Position& b) { return a.key < b.key; });
}

const PriceLists::Position* PriceLists::Find(std::string_view key) const {
  const std::string wanted = platform::ToUpperCp1250(key);
  const auto found = std::lower_bound(
      positions_.begin(), positions_.end(), wanted,
      [](const Position& position, const std::string& k) { return position.key < k; });
  if (found == positions_.end() || found->key != wanted) return nullptr;
  return &*found;
}

std::optional<std::string> PriceLists::FindVat(std::string_view key) const {
  const Position* position = Find(key);
  if (position == nullptr) return std::nullopt;
  return position->vat;
}

std::optional<std::int64_t> PriceLists::FindPrice(std::string_view key) const {
  const Position* position = Find(key);
  if (position == nullptr) return std::nullopt;
  return position->price_hundredths;
}

}  // namespace konwerter::run
