#include "tools/report/area_index.h"

#include <cstring>

namespace vykpav::report {

namespace {

std::uint64_t mix(std::uint64_t x) noexcept {
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ull;
  x ^= x >> 32;
  return x;
}

}  // namespace

// Eight bytes at a time; the table needs spread, not strength.
std::uint64_t AreaIndex::hash(std::string_view name) noexcept {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ name.size();
  std::size_t i = 0;
  for (; i + 8 <= name.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, name.data() + i, 8);
    h = mix(h ^ word) * 0x9E3779B97F4A7C15ull;
  }
  std::uint64_t last = 0;
  if (i < name.size()) std::memcpy(&last, name.data() + i, name.size() - i);
  return mix(h ^ last);
}

// The slot holding `name`, or the empty slot where it would go.
std::size_t AreaIndex::slot_of(std::string_view name, std::uint64_t h) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = h & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t held = slots_[slot];
    if (held == 0) return slot;
    const Entry& entry = entries_[held - 1];
    if (entry.hash == h && entry.length == name.size() &&
        (name.empty() || std::memcmp(names_.data() + entry.offset, name.data(), name.size()) == 0))
      return slot;
  }
}

void AreaIndex::grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t area = 0; area < entries_.size(); ++area) {
    std::size_t slot = entries_[area].hash & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = area + 1;
  }
}

std::uint32_t AreaIndex::find_or_add(std::string_view name) {
  // Kept at most half full, so a probe ends soon.
  if (2 * (entries_.size() + 1) > slots_.size()) grow();
  const std::uint64_t h = hash(name);
  const std::size_t slot = slot_of(name, h);
  if (slots_[slot] != 0) return slots_[slot] - 1;
  const auto area = static_cast<std::uint32_t>(entries_.size());
  entries_.push_back({h, names_.size(), name.size()});
  names_.append(name);
  slots_[slot] = area + 1;
  return area;
}

std::uint32_t AreaIndex::find(std::string_view name) const noexcept {
  if (slots_.empty()) return kNone;
  const std::size_t slot = slot_of(name, hash(name));
  return slots_[slot] == 0 ? kNone : slots_[slot] - 1;
}

}  // namespace vykpav::report
