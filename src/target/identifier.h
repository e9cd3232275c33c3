#pragma once

#include <cstdint>
#include <string>

#include "platform/calendar_date.h"

namespace konwerter::target {

// Identifiers of the Windows edition are sequence numbers in upper-case hexadecimal,
// zero-padded to the sequence's width (8 for documents, persons, works, parcels; 4 for
// dictionary codes). A number needing more digits keeps them all.
std::string FormatIdentifier(std::uint32_t number, int width);

// The run's creator identifier: "0001" and the date packed as a DOS date,
// (year - 1980) * 512 + month * 32 + day, in four hexadecimal digits. 17 May 2024 gives
// "000158B1".
std::string CreatorIdentifier(const platform::CalendarDate& date);

}  // namespace konwerter::target
