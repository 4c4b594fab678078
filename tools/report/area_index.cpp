#include "tools/report/area_index.h"

#include <cstring>
#include <stdexcept>

namespace vykpav::report {

namespace {

std::uint64_t mix(std::uint64_t x) noexcept {
  x ^= x >> 32;
  x *= 0xD6E8FEB86659FD93ull;
  x ^= x >> 32;
  return x;
}

std::uint64_t tag_of(std::uint64_t hash) noexcept { return hash & 0xFFFFFFFF00000000ull; }

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
  const std::uint64_t tag = tag_of(h);
  for (std::size_t slot = h & mask;; slot = (slot + 1) & mask) {
    const std::uint64_t held = slots_[slot];
    if (held == 0) return slot;
    if (tag_of(held) != tag) continue;
    const Entry& entry = entries_[(held & 0xFFFFFFFFu) - 1];
    if (entry.hash == h && entry.length == name.size() &&
        (name.empty() || std::memcmp(names_.data() + entry.offset, name.data(), name.size()) == 0))
      return slot;
  }
}

void AreaIndex::grow() {
  slots_.assign(slots_.empty() ? 1024 : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t area = 0; area < entries_.size(); ++area) {
    const std::uint64_t h = entries_[area].hash;
    std::size_t slot = h & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = tag_of(h) | (area + 1u);
  }
}

std::uint32_t AreaIndex::find_or_add(std::string_view name, std::uint64_t h) {
  // Kept at most half full, so a search ends soon.
  if (2 * (entries_.size() + 1) > slots_.size()) grow();
  const std::size_t slot = slot_of(name, h);
  if (slots_[slot] != 0) return static_cast<std::uint32_t>(slots_[slot] & 0xFFFFFFFFu) - 1;
  const std::uint32_t area = append(name, h);
  slots_[slot] = tag_of(h) | (area + 1u);
  return area;
}

std::uint32_t AreaIndex::append(std::string_view name, std::uint64_t h) {
  const auto area = static_cast<std::uint32_t>(entries_.size());
  if (names_.size() + name.size() > 0xFFFFFFFFu)
    throw std::length_error("area names of more than 4 GiB in all");
  entries_.push_back(
      {h, static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size())});
  names_.append(name);
  return area;
}

std::uint32_t AreaIndex::add_unsearched(std::string_view name, std::uint64_t h) {
  return append(name, h);
}

bool AreaIndex::index_added() {
  std::size_t size = 1024;
  while (size < 2 * (entries_.size() + 1)) size *= 2;
  slots_.assign(size, 0);
  constexpr std::size_t kAhead = 16;  // slots asked for ahead of their search
  for (std::uint32_t area = 0; area < entries_.size(); ++area) {
    if (area + kAhead < entries_.size()) prefetch(entries_[area + kAhead].hash);
    const std::uint64_t h = entries_[area].hash;
    const std::size_t slot = slot_of(name(area), h);
    if (slots_[slot] != 0) return false;
    slots_[slot] = tag_of(h) | (area + 1u);
  }
  return true;
}

std::uint32_t AreaIndex::find(std::string_view name) const noexcept {
  if (slots_.empty()) return kNone;
  const std::size_t slot = slot_of(name, hash(name));
  return slots_[slot] == 0 ? kNone : static_cast<std::uint32_t>(slots_[slot] & 0xFFFFFFFFu) - 1;
}

}  // namespace vykpav::report
