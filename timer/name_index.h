// The index from an area's name to its place in the table: the bytes of each
// name hashed into an open-addressing table built once, at construction, and
// sized to the area count. A lookup then costs the same at 16 areas or at a
// million: one pass over the caller's name to find its end, one hash, and two
// neighbouring slots, which hold the names' first and last bytes (all of a
// short name), so that mostly nothing else is read to confirm a name.
#ifndef VYKPAV_TIMER_NAME_INDEX_H
#define VYKPAV_TIMER_NAME_INDEX_H

#include <cstddef>
#include <cstdint>
#include <cstring>  // std::memcpy, std::strlen
#include <string_view>
#include <vector>

#include "base/compiler.h"

namespace vykpav::timer {

// A name's bytes as the index compares them. A name of up to 16 bytes is all
// here: `head` holds bytes 0 to 7 and `tail` bytes 8 to 15, the first byte
// lowest, zero past the name's end (a name holds no zero byte, so no two
// such names share a key). A longer name has its first 8 bytes in `head` and
// its last 8 in `tail`.
struct NameKey {
  std::uint64_t head;
  std::uint64_t tail;
};

// The key of the `length` bytes at `text`, read only inside them.
inline NameKey name_key(const char* text, std::size_t length) noexcept {
  const auto load8 = [](const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
  };
  const auto load4 = [](const char* at) {
    std::uint32_t word;
    std::memcpy(&word, at, sizeof word);
    return std::uint64_t{word};
  };
  const auto byte = [](char c) { return std::uint64_t{static_cast<unsigned char>(c)}; };
  if (length >= 8) {
    const std::uint64_t last = load8(text + length - 8);
    if (length > 16) return {load8(text), last};
    // Bytes 8 on, moved down to the word's start.
    return {load8(text), length > 8 ? last >> (8 * (16 - length)) : 0};
  }
  if (length >= 4) {
    // Two words that overlap when the name is shorter than 8 bytes: their
    // common bytes are the same.
    return {load4(text) | load4(text + length - 4) << (8 * (length - 4)), 0};
  }
  if (length == 0) return {0, 0};
  return {byte(text[0]) | byte(text[length / 2]) << (8 * (length / 2)) |
              byte(text[length - 1]) << (8 * (length - 1)),
          0};
}

// Two words mixed into one, each bit of either moving many bits of the result.
inline std::uint64_t mix(std::uint64_t a, std::uint64_t b) noexcept {
#if defined(VYKPAV_HAS_INT128)
  // The two halves of a full product, folded.
  const base::uint128 product =
      base::uint128{a ^ 0x9E3779B97F4A7C15ull} * (b ^ 0xD6E8FEB86659FD93ull);
  return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
#else
  // No 128-bit product on 32-bit targets: two 64-bit ones.
  std::uint64_t h = (a ^ 0x9E3779B97F4A7C15ull) * 0xBF58476D1CE4E5B9ull;
  h ^= (b ^ (h >> 31)) * 0x94D049BB133111EBull;
  return h ^ (h >> 29);
#endif
}

// A hash of all the bytes of a name longer than 16 bytes.
std::uint64_t long_name_hash(const char* text, std::size_t length, NameKey key) noexcept;

// A hash of the `length` bytes at `text`, whose key is `key`.
inline std::uint64_t name_hash(const char* text, std::size_t length, NameKey key) noexcept {
  if (VYKPAV_UNLIKELY(length > 16)) return long_name_hash(text, length, key);
  return mix(key.head, key.tail);
}

class NameIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // No names: every lookup finds nothing.
  NameIndex() : NameIndex(0) {}
  // Room for `count` names.
  explicit NameIndex(std::size_t count);

  // Indexes `name` (the table's own copy, followed by a zero byte, kept as
  // long as the index) under `place`. Each name is added once.
  void add(std::string_view name, std::uint32_t place);

  // The place of the zero-terminated `name`, or kNone. The caller's text is
  // read to its zero byte and not past it.
  std::uint32_t find(const char* name) const noexcept {
    const std::size_t length = std::strlen(name);
    const NameKey key = name_key(name, length);
    const std::size_t home = home_of(name_hash(name, length, key));
    // A name mostly lies in its home slot or the next: both are read at
    // once, before either is compared.
    const Slot* window = &slots_[home];
    const std::uint64_t first = differences(window[0], key, length);
    const std::uint64_t second = differences(window[1], key, length);
    const Slot& candidate = first == 0 ? window[0] : window[1];
    if (VYKPAV_LIKELY((first == 0 || second == 0) &&
                      (length <= 16 || same_long_name(candidate, name, length))))
      return candidate.place;
    return find_from(home, name, length, key);
  }

 private:
  // 24 bytes. Head and length as the name's key and length; tail as the
  // key's for a name of up to 16 bytes, and for a longer one the address of
  // the table's copy, whose bytes from the 9th on are compared.
  struct Slot {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;
    std::uint32_t place = kNone;
    // Saturated at 2^32 - 1. A free slot's is 2^32 - 1 and its head 0, which
    // no name has: a name of so many bytes has none of them zero.
    std::uint32_t length = 0xFFFFFFFFu;
  };

  static std::uint32_t saturated(std::size_t length) noexcept {
    return length < 0xFFFFFFFFu ? static_cast<std::uint32_t>(length) : 0xFFFFFFFFu;
  }

  // Zero when `slot` may hold the name: all of it compared for a name of up
  // to 16 bytes, its head and length for a longer one.
  static std::uint64_t differences(const Slot& slot, NameKey key, std::size_t length) noexcept {
    const std::uint64_t tail_mask = length <= 16 ? ~std::uint64_t{0} : 0;
    return (slot.head ^ key.head) | ((slot.tail ^ key.tail) & tail_mask) |
           (slot.length ^ saturated(length));
  }

  // The slot a hash starts at: its top bits scaled to the number of homes.
  std::size_t home_of(std::uint64_t hash) const noexcept {
#if defined(VYKPAV_HAS_INT128)
    return static_cast<std::size_t>((base::uint128{hash} * homes_) >> 64);
#else
    // A 32-bit target has fewer than 2^32 homes.
    return static_cast<std::size_t>(((hash >> 32) * homes_) >> 32);
#endif
  }

  // The hash a slot's name was placed by.
  std::uint64_t slot_hash(const Slot& slot) const noexcept;

  static bool same_long_name(const Slot& slot, const char* name, std::size_t length) noexcept;

  // Every slot from `home` on, up to the first free one.
  std::uint32_t find_from(std::size_t home, const char* name, std::size_t length,
                          NameKey key) const noexcept;

  // Homes are slots 0 to homes_ - 1; the slots past them hold the names
  // pushed beyond the last home, and end in free ones.
  std::size_t homes_;
  std::vector<Slot> slots_;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_NAME_INDEX_H
