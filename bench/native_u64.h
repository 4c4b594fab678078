// The yardstick for VYKNB64's operators: the same saturating arithmetic on a
// plain uint64_t, compiled into a shared library of its own and called the
// way a host calls VYKNB64 (const references in, a value out, one exported
// call per operation), so that the two differ only in what the call does.
#ifndef VYKPAV_BENCH_NATIVE_U64_H
#define VYKPAV_BENCH_NATIVE_U64_H

#include <cstdint>

#if defined(_WIN32)
#if defined(VYKPAV_BENCH_NATIVE_BUILDING)
#define NATIVE_API __declspec(dllexport)
#else
#define NATIVE_API __declspec(dllimport)
#endif
#else
#define NATIVE_API __attribute__((visibility("default")))
#endif

namespace native {

using u64 = std::uint64_t;

NATIVE_API u64 add(const u64& a, const u64& b);  // saturates at 2^64 - 1
NATIVE_API u64 sub(const u64& a, const u64& b);  // saturates at 0
NATIVE_API u64 mul(const u64& a, const u64& b);  // saturates at 2^64 - 1
NATIVE_API u64 div(const u64& a, const u64& b);  // plain a / b: b must not be 0
NATIVE_API u64 mod(const u64& a, const u64& b);  // plain a % b: b must not be 0
NATIVE_API u64& inc(u64& v);                     // saturates at 2^64 - 1
NATIVE_API u64& dec(u64& v);                     // saturates at 0
NATIVE_API bool eq(const u64& a, const u64& b);
NATIVE_API bool ne(const u64& a, const u64& b);
NATIVE_API bool lt(const u64& a, const u64& b);
NATIVE_API bool le(const u64& a, const u64& b);
NATIVE_API bool gt(const u64& a, const u64& b);
NATIVE_API bool ge(const u64& a, const u64& b);
NATIVE_API u64 shl(const u64& a, const u64& count);  // count modulo 64
NATIVE_API u64 shr(const u64& a, const u64& count);  // count modulo 64

}  // namespace native

#endif  // VYKPAV_BENCH_NATIVE_U64_H
