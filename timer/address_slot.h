// The slot of a small cache of recent lookups, keyed by the address of the
// caller's text. Hosts pass literals, whose addresses often differ in a few
// low bits only: multiplying by 2^64 over the golden ratio spreads those
// bits over the top ones, which pick the slot.
#ifndef VYKPAV_TIMER_ADDRESS_SLOT_H
#define VYKPAV_TIMER_ADDRESS_SLOT_H

#include <cstddef>
#include <cstdint>

namespace vykpav::timer {

// A slot below 2^kBits.
template <int kBits>
std::size_t address_slot(const void* address) noexcept {
  static_assert(kBits > 0 && kBits < 32);
  const std::uint64_t value = reinterpret_cast<std::uintptr_t>(address);
  return static_cast<std::size_t>((value * 0x9E3779B97F4A7C15ull) >> (64 - kBits));
}

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_ADDRESS_SLOT_H
