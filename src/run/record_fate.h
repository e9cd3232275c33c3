#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace konwerter::run {

// Why a source record gave its target table nothing. One closed list for every converter;
// each reason has a stable code and a short Polish text (run/catalogue.h).
enum class SkipReason : std::uint8_t {
  kKeyNotSet,          // its own key is 0, spaces or FFFFFFFF (a reference: 0 or FFFF)
  kNumberNotGiven,     // its document number (czlon_1) is FFFFFFFF: never given
  kCancelled,          // a cancelled document (coordinate system FF)
  kUnlinked,           // nothing referred to it and its delete-unlinked box is on
  kOwnerNotWritten,    // the record it belongs to (document, work, delivery) was not written
  kBlankReference,     // a link whose dictionary reference was never filled (two spaces)
  kNoOrder,            // a settlement line or issue that belongs to no order
  kNoPriceList,        // it names no price list (number 0)
  kMapSheetPriceList,  // a line of a map-sheet price list: the issues of sheets carry it
  kZeroQuantity,       // an issue of no sheets
  kNotReceived,        // a delivery never taken into stock
  kOtherVoivodeship,   // a commune of another voivodeship than the site's
  kRemovedMark,        // a designation the DOS edition marked as removed (first byte FF)
  kOwnerOutsideTable,  // it names a record number beyond its owner table
  kDamaged,            // the record's deletion flag is neither a space nor "*"
};
inline constexpr std::size_t kSkipReasonCount = static_cast<std::size_t>(SkipReason::kDamaged) + 1;

// Why a value written differs from the value the source held. Closed like SkipReason.
enum class ValueChange : std::uint8_t {
  kBadDate,               // a date text that is no date: written as 1900.01.01
  kNumberTooWide,         // a number too wide for its field: written as "*" fill
  kTextCut,               // a text longer than its field, cut where non-blank text followed
  kBadNumber,             // a numeric field whose text is no number: read as the reader reads it
  kReferenceBeyondTable,  // a reference past the end of its dictionary: read as none
  kOwnerNotWritten,       // the record referred to was not written: the identifier stays empty
  kIndexEntryMissing,     // the index holds no entry for the record: its indexed data is left out
  kIndexEntryStale,       // the index leads to another record: its indexed data is left out
};
inline constexpr std::size_t kValueChangeCount =
    static_cast<std::size_t>(ValueChange::kIndexEntryStale) + 1;

// What became of one source record: written (one or more target records carry it), or
// skipped with its reason. Converters return it from their record loops, at the rule that
// decides it.
class Fate {
 public:
  static constexpr Fate Written() { return Fate(std::nullopt); }
  static constexpr Fate Skipped(SkipReason reason) { return Fate(reason); }

  constexpr bool written() const { return !reason_.has_value(); }
  // REQUIRES: !written()
  constexpr SkipReason reason() const { return *reason_; }

 private:
  constexpr explicit Fate(std::optional<SkipReason> reason) : reason_(reason) {}
  std::optional<SkipReason> reason_;
};

inline constexpr Fate kWritten = Fate::Written();
constexpr Fate Skipped(SkipReason reason) {
  return Fate::Skipped(reason);
}

}  // namespace konwerter::run
