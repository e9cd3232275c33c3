#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace konwerter::run {

// The slots a translation table is sized with beyond the record count of the DOS table it
// translates (the slot count of the run's working lists keyed by record number).
inline constexpr std::uint32_t kSpareSlots = 100;

// An identifier-translation table: the identifier (at most 8 characters) held for a DOS key
// or a 1-based source record number. Sizing empties it; every index may be stored, however
// large (a DOS key is not a record number: sites that deleted records have keys far above
// the record count). Index 0 never holds an identifier.
class TranslationTable {
 public:
  // Empties the table; `expected_size` (record count + kSpareSlots) sizes the fast part.
  void Size(std::uint32_t expected_size);
  // The identifier held for the index; empty when none.
  std::string LookUp(std::uint32_t index) const;
  // Holds the first 8 characters of `identifier` for the index (nothing for index 0).
  void Store(std::uint32_t index, std::string_view identifier);
  bool Holds(std::uint32_t index) const;

 private:
  using Slot = std::array<char, 8>;  // NUL-padded; all NUL = empty

  const Slot* Find(std::uint32_t index) const;
  Slot& SlotFor(std::uint32_t index);

  std::vector<Slot> dense_;                         // indexes below the expected size
  std::unordered_map<std::uint32_t, Slot> sparse_;  // the rest
};

// One of the eight tables shared by all converters of a run: it also assigns identifiers,
// from its own counter, in its own width.
class SharedTranslationTable {
 public:
  explicit SharedTranslationTable(int width) : width_(width) {}

  // Empties the table and sets the counter to 0.
  void Size(std::uint32_t expected_size);
  std::string LookUp(std::uint32_t index) const { return table_.LookUp(index); }

  // The identifier for a DOS key (4 bytes): the one held, or the next one assigned.
  // Keys that are not set (0, four spaces, FFFFFFFF) give the empty text.
  std::string GetOrAssignKey(std::uint32_t dos_key);
  // The same for a dictionary reference (2 bytes): 0 and FFFF give the empty text.
  std::string GetOrAssignReference(std::uint16_t reference);

  // The last number assigned; the sequence row holds counter + 1.
  std::int32_t counter() const { return counter_; }
  int width() const { return width_; }

 private:
  std::string GetOrAssign(std::uint32_t index);

  TranslationTable table_;
  std::int32_t counter_ = 0;
  int width_;
};

}  // namespace konwerter::run
