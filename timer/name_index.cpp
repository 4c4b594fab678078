#include "timer/name_index.h"

#include <cstring>
#include <utility>

namespace vykpav::timer {

namespace {
// At most half the homes taken (48 bytes a name): a name then lies in its
// home slot or the next for about nine names in ten (a quarter of them lie
// further with two thirds taken), and every name within 10 slots of its home
// among a million.
constexpr std::size_t kHomesPerName = 2;
// Room for the few names that Robin Hood placement pushes past the last home.
constexpr std::size_t kSlotsPastTheHomes = 64;

const char* held_text(std::uint64_t address) noexcept {
  return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(address));
}
}  // namespace

std::uint64_t long_name_hash(const char* text, std::size_t length, NameKey key) noexcept {
  // The key holds the first and last 8 bytes; the words between them go in
  // one after another.
  std::uint64_t hash = mix(key.head, key.tail ^ length);
  for (std::size_t at = 8; at + 8 < length; at += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + at, sizeof word);
    hash = mix(hash, word);
  }
  return hash;
}

NameIndex::NameIndex(std::size_t count) : homes_(count * kHomesPerName + 1) {
  slots_.reserve(homes_ + kSlotsPastTheHomes);
  slots_.resize(homes_ + 1);  // a home's next slot, free
}

void NameIndex::add(std::string_view name, std::uint32_t place) {
  const NameKey key = name_key(name.data(), name.size());
  Slot incoming;
  incoming.head = key.head;
  incoming.tail = name.size() <= 16 ? key.tail : reinterpret_cast<std::uintptr_t>(name.data());
  incoming.place = place;
  incoming.length = saturated(name.size());
  // Robin Hood placement: of two names that want one slot, the one farther
  // from its home keeps it, so that no name lies far from its own.
  std::size_t home = home_of(name_hash(name.data(), name.size(), key));
  for (std::size_t i = home;; ++i) {
    Slot& slot = slots_[i];
    if (slot.place == kNone) {
      slot = incoming;
      break;
    }
    const std::size_t resident_home = home_of(slot_hash(slot));
    if (resident_home > home) {
      std::swap(incoming, slot);
      home = resident_home;
    }
  }
  // The last slot stays free: every search ends there at the latest.
  if (slots_.back().place != kNone) slots_.emplace_back();
}

std::uint64_t NameIndex::slot_hash(const Slot& slot) const noexcept {
  if (slot.length <= 16) return mix(slot.head, slot.tail);
  const char* held = held_text(slot.tail);
  const std::size_t length = slot.length < 0xFFFFFFFFu ? slot.length : std::strlen(held);
  return long_name_hash(held, length, name_key(held, length));
}

bool NameIndex::same_long_name(const Slot& slot, const char* name, std::size_t length) noexcept {
  const char* held = held_text(slot.tail);
  // The first 8 bytes matched; below 2^32 - 1 bytes the two lengths are
  // equal, and past it the zero bytes end the compare.
  if (slot.length < 0xFFFFFFFFu) return std::memcmp(held + 8, name + 8, length - 8) == 0;
  return std::strcmp(held + 8, name + 8) == 0;
}

std::uint32_t NameIndex::find_from(std::size_t home, const char* name, std::size_t length,
                                   NameKey key) const noexcept {
  for (std::size_t i = home; slots_[i].place != kNone; ++i) {
    const Slot& slot = slots_[i];
    if (differences(slot, key, length) == 0 && (length <= 16 || same_long_name(slot, name, length)))
      return slot.place;
  }
  return kNone;
}

}  // namespace vykpav::timer
