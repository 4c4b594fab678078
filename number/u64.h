// Internal bridge between VYKNB64 and the native 64-bit integer: every
// operator loads its operands as uint64_t, computes natively and stores back.
#ifndef VYKPAV_NUMBER_U64_H
#define VYKPAV_NUMBER_U64_H

#include <cstdint>
#include <cstring>

#include "base/compiler.h"
#include "selvorin/vyknb64.h"

namespace vykpav::number {

using Selvorin::ulong32;
using Selvorin::VYKNB64;

inline constexpr std::uint64_t kMax64 = ~std::uint64_t{0};
inline constexpr ulong32 kMax32 = 0xFFFFFFFFu;

// The layout is that of a little-endian uint64_t (compiler.h makes sure the
// target is little-endian): one load, one store.
inline std::uint64_t to_u64(const VYKNB64& v) noexcept {
  std::uint64_t x;
  std::memcpy(&x, &v, sizeof x);
  return x;
}

inline VYKNB64 from_u64(std::uint64_t x) noexcept {
  VYKNB64 v;
  std::memcpy(static_cast<void*>(&v), &x, sizeof x);
  return v;
}

}  // namespace vykpav::number

#endif  // VYKPAV_NUMBER_U64_H
