// What the library asks of the compiler and the target, decided once here:
// the byte order, the builtins, and the attributes. Every folder may include
// it; it includes nothing of the library.
//
// The targets built and tested: x86 (32-bit Windows), x86-64 (Linux,
// 64-bit Windows) and aarch64 (Linux). On aarch64 all of the below holds
// but the x87 format: it is little-endian (a big-endian aarch64 stops at
// the check below), has __int128, 64-bit registers and the builtins, and
// computes float and double in their own unit; its long double is IEEE
// quadruple precision. What else differs there, and is handled where it
// matters: plain char is unsigned (the library compares bytes as unsigned
// char everywhere), SSE2 is absent (hexadecimal digits take the portable
// word-at-a-time path), the large page follows the small page's size
// (platform/large_pages.cpp), and nothing assumes a cache line's size: a
// prefetch is only a hint.
#ifndef VYKPAV_BASE_COMPILER_H
#define VYKPAV_BASE_COMPILER_H

#include <cstdint>  // std::uint64_t

// Little-endian targets only: VYKNB64 is read and written as the native
// uint64_t of its two words (low first), and the digit code moves eight
// characters as one word, the first in its lowest byte.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
#define VYKPAV_IS_LITTLE_ENDIAN 1
#elif defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
#error "vykpav needs a little-endian target: VYKNB64 is laid out as a little-endian uint64_t"
#elif defined(_WIN32)
#define VYKPAV_IS_LITTLE_ENDIAN 1  // every Windows target is
#else
#error "vykpav cannot tell the byte order of this target; it needs a little-endian one"
#endif

// A function kept out of line: each text writer is entered by a jump, so the
// common case sets up no more than it uses.
#define VYKPAV_NOINLINE __attribute__((noinline))
// Every call inside the function inlined into it.
#define VYKPAV_FLATTEN __attribute__((flatten))
// A condition that is almost never true, or almost always, for the layout of
// the code.
#define VYKPAV_UNLIKELY(condition) __builtin_expect(!!(condition), 0)
#define VYKPAV_LIKELY(condition) __builtin_expect(!!(condition), 1)

// float and double computed in their own format, in registers of their own
// (SSE2 on x86-64, the floating-point unit on aarch64), never on the x87
// stack: their conversions to a 64-bit integer truncate exactly and touch no
// x87 state. 32-bit x86 computes them on the x87 unit.
#if defined(__SSE2_MATH__) || defined(__aarch64__)
#define VYKPAV_HAS_NATIVE_FLOAT_MATH 1
#endif

// The x87 80-bit extended format for long double (x86 with GCC's or
// MinGW's long double); aarch64 Linux has IEEE quadruple precision there,
// and a 64-bit integer is exact in either.
#if (defined(__i386__) || defined(__x86_64__)) && __LDBL_MANT_DIG__ == 64
#define VYKPAV_HAS_X87_LONG_DOUBLE 1
#endif

#if defined(__SIZEOF_INT128__)
#define VYKPAV_HAS_INT128 1
#endif

// 64-bit registers: there a 64-bit number is divided by a constant with a
// multiplication; a 32-bit target calls a division routine for it.
#if UINTPTR_MAX > 0xFFFFFFFFu
#define VYKPAV_HAS_64BIT_REGISTERS 1
#endif

namespace vykpav::base {

#if defined(VYKPAV_HAS_INT128)
__extension__ typedef unsigned __int128 uint128;  // __extension__: no -Wpedantic warning
#endif

// The number of leading zero bits of v, which must not be 0.
inline int leading_zeros(std::uint64_t v) noexcept { return __builtin_clzll(v); }

inline std::uint64_t byte_swap(std::uint64_t v) noexcept { return __builtin_bswap64(v); }

// a + b, a - b, a * b into `result`; true when the exact result does not fit.
inline bool add_overflows(std::uint64_t a, std::uint64_t b, std::uint64_t& result) noexcept {
  return __builtin_add_overflow(a, b, &result);
}
inline bool subtract_overflows(std::uint64_t a, std::uint64_t b, std::uint64_t& result) noexcept {
  return __builtin_sub_overflow(a, b, &result);
}
inline bool multiply_overflows(std::uint64_t a, std::uint64_t b, std::uint64_t& result) noexcept {
  return __builtin_mul_overflow(a, b, &result);
}

// Asks for the cache line at `address` to be read ahead of its use.
inline void prefetch(const void* address) noexcept { __builtin_prefetch(address); }

}  // namespace vykpav::base

#endif  // VYKPAV_BASE_COMPILER_H
