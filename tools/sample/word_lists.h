#pragma once

#include <span>
#include <string_view>

namespace konwerter::tools::sample {

// Polish words for realistic sample content, as UTF-8 (convert with Cp852 before storing).

struct Commune {
  int voivodeship;  // statistical number of the voivodeship
  int number;       // statistical number of the commune within the district
  std::string_view name;
};

std::span<const std::string_view> MaleFirstNames();
std::span<const std::string_view> FemaleFirstNames();
// Surnames in their masculine form; those ending in "ski", "cki" or "dzki" take "a" for
// the feminine form instead of "i".
std::span<const std::string_view> Surnames();
std::span<const std::string_view> StreetNames();
std::span<const std::string_view> Localities();
std::span<const Commune> Communes();  // the site's own voivodeship first
// Names of institutions, some longer than one 30-character name line.
std::span<const std::string_view> Institutions();
std::span<const std::string_view> Precincts();
std::span<const std::string_view> Remarks();

}  // namespace konwerter::tools::sample
