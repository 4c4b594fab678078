// Internal bridge between VYKNB64 and the native 64-bit integer: every
// operator loads its operands as uint64_t, computes natively and stores back.
#ifndef VYKPAV_NUMBER_U64_H
#define VYKPAV_NUMBER_U64_H

#include <cstdint>
#include <cstring>

#include "selvorin/vyknb64.h"

namespace vykpav::number {

using Selvorin::ulong32;
using Selvorin::VYKNB64;

inline constexpr std::uint64_t kMax64 = ~std::uint64_t{0};
inline constexpr ulong32 kMax32 = 0xFFFFFFFFu;

inline std::uint64_t to_u64(const VYKNB64& v) noexcept {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  // The layout is that of a little-endian uint64_t: one load.
  std::uint64_t x;
  std::memcpy(&x, &v, sizeof x);
  return x;
#else
  return (std::uint64_t{v.high} << 32) | v.low;
#endif
}

inline VYKNB64 from_u64(std::uint64_t x) noexcept {
  VYKNB64 v;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::memcpy(static_cast<void*>(&v), &x, sizeof x);
#else
  v.low = static_cast<ulong32>(x);
  v.high = static_cast<ulong32>(x >> 32);
#endif
  return v;
}

inline void store_u64(VYKNB64& v, std::uint64_t x) noexcept { v = from_u64(x); }

}  // namespace vykpav::number

#endif  // VYKPAV_NUMBER_U64_H
