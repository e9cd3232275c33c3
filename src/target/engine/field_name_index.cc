#include "target/engine/field_name_index.h"

#include <cstring>

namespace konwerter::engine {

namespace {

constexpr std::size_t kFoldedBytes = 16;
constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kLowSevenBits = 0x7F7F7F7F7F7F7F7FULL;
// Tables up to this many slots per name are tried, with this many seeds each, before a
// table with shared slots is accepted.
constexpr std::size_t kMaxSlotsPerName = 16;
constexpr int kSeedsPerSize = 8;
constexpr std::uint64_t kSeedStep = 0xA0761D6478BD642EULL;  // even: seeds stay odd

std::uint64_t Load(const char* bytes, std::size_t count) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes, count);
  return word;
}

// Every byte 'a'...'z' of the word made upper case; other bytes unchanged.
std::uint64_t UpperWord(std::uint64_t word) {
  const std::uint64_t seven = word & kLowSevenBits;
  const std::uint64_t from_a = seven + 0x1F1F1F1F1F1F1F1FULL;    // high bit: >= 'a'
  const std::uint64_t beyond_z = seven + 0x0505050505050505ULL;  // high bit: > 'z'
  const std::uint64_t lower = from_a & ~beyond_z & ~word & kHighBits;
  return word ^ (lower >> 2);
}

}  // namespace

// Inlined into Find, which runs for every value the converters set.
[[gnu::always_inline]] inline bool FieldNameIndex::Fold(std::string_view name, Folded& folded) {
  const std::size_t size = name.size();
  if (size > kFoldedBytes) return false;
  const char* bytes = name.data();
  // Overlapping loads: the two words and the size tell every name apart.
  if (size >= 8) {
    folded.low = Load(bytes, 8);
    folded.high = Load(bytes + size - 8, 8);
  } else if (size >= 4) {
    folded.low = Load(bytes, 4);
    folded.high = Load(bytes + size - 4, 4);
  } else if (size > 0) {
    folded.low = Load(bytes, 1) | Load(bytes + size / 2, 1) << 8 | Load(bytes + size - 1, 1) << 16;
    folded.high = 0;
  } else {
    folded.low = 0;
    folded.high = 0;
  }
  folded.low = UpperWord(folded.low);
  folded.high = UpperWord(folded.high);
  folded.size = size;
  return true;
}

[[gnu::always_inline]] inline std::size_t FieldNameIndex::SlotOf(const Folded& folded) const {
  const std::uint64_t mixed = (folded.low ^ (folded.high * 31) ^ folded.size) * seed_;
  return static_cast<std::size_t>(mixed >> 40) & (slots_.size() - 1);
}

FieldNameIndex::FieldNameIndex(const std::vector<FieldDescriptor>& fields) {
  std::vector<Folded> names;
  std::vector<int> positions;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    Folded folded;
    if (!Fold(fields[i].name, folded)) continue;  // never asked for
    names.push_back(folded);
    positions.push_back(static_cast<int>(i));
  }
  std::size_t size = 4;
  while (size < 2 * names.size()) size *= 2;
  for (;; size *= 2) {
    for (int attempt = 0; attempt < kSeedsPerSize; ++attempt) {
      seed_ = kHashMultiplier + static_cast<std::uint64_t>(attempt) * kSeedStep;
      if (Place(names, positions, size) == 0) return;
    }
    if (size >= kMaxSlotsPerName * names.size()) return;  // keeps the last placing
  }
}

std::size_t FieldNameIndex::Place(const std::vector<Folded>& names, const std::vector<int>& fields,
                                  std::size_t size) {
  slots_.assign(size, Slot{});
  std::size_t displaced = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::size_t slot = SlotOf(names[i]);
    bool repeated = false;
    for (; slots_[slot].field >= 0 && !repeated; slot = (slot + 1) & (size - 1)) {
      repeated = slots_[slot].name == names[i];  // the first of equal names wins
    }
    if (repeated) continue;
    if (slot != SlotOf(names[i])) ++displaced;
    slots_[slot] = {names[i], fields[i]};
  }
  return displaced;
}

int FieldNameIndex::Find(std::string_view name) const {
  Folded folded;
  if (slots_.empty() || !Fold(name, folded)) return -1;
  for (std::size_t slot = SlotOf(folded); slots_[slot].field >= 0;
       slot = (slot + 1) & (slots_.size() - 1)) {
    if (slots_[slot].name == folded) return slots_[slot].field;
  }
  return -1;
}

}  // namespace konwerter::engine
