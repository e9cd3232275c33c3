#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace konwerter::convert {

// A sorted set of names (cp1250) without duplicates, ordered alphabetically the Polish way
// without regard to letter case (Ą after A, Ł after L, Ż last). A name the set already holds
// in any letter case is not added again: the spelling met first stays.
class PolishNameSet {
 public:
  void Add(std::string_view name);
  std::size_t size() const { return names_.size(); }
  // The names in order.
  std::vector<std::string> Names() const;

 private:
  std::map<std::string, std::string> names_;  // sort key -> name as first added
};

// The key that orders cp1250 text the Polish way ignoring case; equal keys mean the texts
// differ only in letter case.
std::string PolishSortKey(std::string_view text);

}  // namespace konwerter::convert
