#include "target/engine/field_name_index.h"

#include <array>
#include <cstring>

namespace konwerter::engine {

namespace {

constexpr std::size_t kFoldedBytes = 16;
constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ULL;

}  // namespace

FieldNameIndex::FieldNameIndex(const std::vector<FieldDescriptor>& fields) {
  std::size_t size = 4;
  while (size < 2 * fields.size()) size *= 2;
  slots_.assign(size, 0);
  names_.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (!Fold(fields[i].name, names_[i])) continue;  // never asked for
    std::size_t slot = SlotOf(names_[i]);
    bool repeated = false;
    for (; slots_[slot] != 0; slot = (slot + 1) & (size - 1)) {
      repeated = repeated || names_[static_cast<std::size_t>(slots_[slot] - 1)] == names_[i];
    }
    if (!repeated) slots_[slot] = static_cast<int>(i) + 1;  // the first of equal names wins
  }
}

bool FieldNameIndex::Fold(std::string_view name, Folded& folded) {
  if (name.size() > kFoldedBytes) return false;
  std::array<char, kFoldedBytes> bytes{};
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    bytes[i] = static_cast<char>(c - ((c >= 'a' && c <= 'z') ? 'a' - 'A' : 0));
  }
  std::memcpy(&folded.low, bytes.data(), 8);
  std::memcpy(&folded.high, bytes.data() + 8, 8);
  folded.size = name.size();
  return true;
}

std::size_t FieldNameIndex::SlotOf(const Folded& folded) const {
  const std::uint64_t mixed = (folded.low ^ (folded.high * 31) ^ folded.size) * kHashMultiplier;
  return static_cast<std::size_t>(mixed >> 40) & (slots_.size() - 1);
}

int FieldNameIndex::Find(std::string_view name) const {
  Folded folded;
  if (slots_.empty() || !Fold(name, folded)) return -1;
  for (std::size_t slot = SlotOf(folded); slots_[slot] != 0;
       slot = (slot + 1) & (slots_.size() - 1)) {
    const int index = slots_[slot] - 1;
    if (names_[static_cast<std::size_t>(index)] == folded) return index;
  }
  return -1;
}

}  // namespace konwerter::engine
