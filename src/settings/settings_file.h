#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "renumber/renumbering_table.h"

namespace konwerter::settings {

// Writes BAZA\ADMIN\terokan.ini under the output folder from the site settings read from
// dom.mem ("NAME=value" lines): the site's location, loan and numbering options, invoicing
// and cash-receipt settings, each under the key the Windows edition reads. The commune
// number goes through the renumbering rule. Other sections and keys of an existing file
// stay. Throws IoError when the file cannot be written.
void WriteSettingsFile(std::string_view output_folder,
                       const std::vector<std::string>& site_settings,
                       const renumber::RenumberingTable& renumbering, bool renumbering_enabled);

}  // namespace konwerter::settings
