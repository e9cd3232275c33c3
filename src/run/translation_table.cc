#include "run/translation_table.h"

#include <algorithm>

#include "run/value_rules.h"
#include "target/identifier.h"

namespace konwerter::run {

namespace {

// Beyond this many slots the fast part stops growing: a lying record count must not make
// the table claim gigabytes; larger indexes simply go to the sparse part.
constexpr std::uint32_t kMostDenseSlots = 1u << 22;

bool IsEmpty(const std::array<char, 8>& slot) {
  return slot[0] == '\0';
}

}  // namespace

void TranslationTable::Size(std::uint32_t expected_size) {
  dense_.assign(std::min(expected_size, kMostDenseSlots), Slot{});
  sparse_.clear();
}

const TranslationTable::Slot* TranslationTable::Find(std::uint32_t index) const {
  if (index < dense_.size()) return &dense_[index];
  const auto found = sparse_.find(index);
  return found == sparse_.end() ? nullptr : &found->second;
}

TranslationTable::Slot& TranslationTable::SlotFor(std::uint32_t index) {
  if (index < dense_.size()) return dense_[index];
  return sparse_[index];
}

std::string TranslationTable::LookUp(std::uint32_t index) const {
  if (index == 0) return {};
  const Slot* slot = Find(index);
  if (slot == nullptr || IsEmpty(*slot)) return {};
  return std::string(slot->data(), std::find(slot->begin(), slot->end(), '\0'));
}

bool TranslationTable::Holds(std::uint32_t index) const {
  const Slot* slot = index == 0 ? nullptr : Find(index);
  return slot != nullptr && !IsEmpty(*slot);
}

void TranslationTable::Store(std::uint32_t index, std::string_view identifier) {
  if (index == 0) return;
  Slot slot{};
  std::copy_n(identifier.begin(), std::min(identifier.size(), slot.size()), slot.begin());
  if (IsEmpty(slot) && index >= dense_.size()) {
    sparse_.erase(index);
    return;
  }
  SlotFor(index) = slot;
}

void SharedTranslationTable::Size(std::uint32_t expected_size) {
  table_.Size(expected_size);
  counter_ = 0;
}

std::string SharedTranslationTable::GetOrAssignKey(std::uint32_t dos_key) {
  return IsDosKeySet(dos_key) ? GetOrAssign(dos_key) : std::string();
}

std::string SharedTranslationTable::GetOrAssignReference(std::uint16_t reference) {
  return IsReferenceSet(reference) ? GetOrAssign(reference) : std::string();
}

std::string SharedTranslationTable::GetOrAssign(std::uint32_t index) {
  std::string held = table_.LookUp(index);
  if (!held.empty()) return held;
  ++counter_;
  std::string identifier = target::FormatIdentifier(static_cast<std::uint32_t>(counter_), width_);
  table_.Store(index, identifier);
  return identifier.substr(0, 8);
}

}  // namespace konwerter::run
