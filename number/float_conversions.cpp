// Conversions between VYKNB64 and float, double and long double.
//
// Assignment truncates toward zero and clamps; the conversions back give the
// value exactly as a long double and round it once to float or double. On x86
// the extended value is taken apart and built from its bits rather than by
// x87 arithmetic: the unit's precision control, which some runtimes lower to
// 53 bits, then cannot change a result, and the rounding mode is never
// touched.
#include <cstring>

#include "base/compiler.h"
#include "number/u64.h"

namespace Selvorin {

using vykpav::number::from_u64;
using vykpav::number::kMax64;
using vykpav::number::to_u64;

namespace {

#if defined(VYKPAV_HAS_X87_LONG_DOUBLE)
// The x87 extended format: a 64-bit significand with an explicit leading
// bit, then the sign and a 15-bit exponent biased by 16383.
constexpr int kExponentBias = 16383;
constexpr std::size_t kExtendedBytes = 10;

// x truncated toward zero, for 0 < x < 2^64.
std::uint64_t truncate_in_range(long double x) noexcept {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &x, kExtendedBytes);
  std::uint64_t significand;
  std::uint16_t sign_exponent;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&sign_exponent, bytes + 8, 2);
  const int exponent = (sign_exponent & 0x7FFF) - kExponentBias;  // 0 <= exponent + 1 <= 64
  if (exponent < 0) return 0;
  return significand >> (63 - exponent);
}

// The exact extended value of u.
long double exact_extended(std::uint64_t u) noexcept {
  if (u == 0) return 0.0L;
  const int top = 63 - vykpav::base::leading_zeros(u);
  const std::uint64_t significand = u << (63 - top);
  const std::uint16_t sign_exponent = static_cast<std::uint16_t>(kExponentBias + top);
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &significand, 8);
  std::memcpy(bytes + 8, &sign_exponent, 2);
  long double x;
  std::memcpy(&x, bytes, sizeof x);
  return x;
}
#else
// Elsewhere (IEEE quadruple precision on aarch64) a cast of an in-range
// value truncates, whatever the rounding mode, and the compiler restores any
// state it changes for the cast.
std::uint64_t truncate_in_range(long double x) noexcept { return static_cast<std::uint64_t>(x); }
long double exact_extended(std::uint64_t u) noexcept { return static_cast<long double>(u); }
#endif

// One routine for the three widths: float and double widen to long double
// exactly, and the comparisons are exact in any precision.
void assign_truncated(VYKNB64& v, long double x) noexcept {
  if (x != x) return;  // NaN: the value is left as it was
  if (!(x > 0.0L)) {
    v = from_u64(0);  // zero, negative zero, negatives, negative infinity
  } else if (x >= 18446744073709551616.0L) {
    v = from_u64(kMax64);  // 2^64 and above, positive infinity
  } else {
    v = from_u64(truncate_in_range(x));
  }
}

// Where float and double have a unit of their own, their own truncating
// conversion is exact and never involves the x87 unit: the same results,
// without widening (on aarch64 that would be software quadruple precision).
template <class Floating>
void assign_narrow(VYKNB64& v, Floating x) noexcept {
#if defined(VYKPAV_HAS_NATIVE_FLOAT_MATH)
  if (x != x) return;
  if (!(x > Floating(0))) {
    v = from_u64(0);
  } else if (x >= Floating(18446744073709551616.0)) {
    v = from_u64(kMax64);
  } else {
    v = from_u64(static_cast<std::uint64_t>(x));
  }
#else
  assign_truncated(v, x);
#endif
}

// Rounds the exact value once to the narrow type in the current rounding
// mode. Where float and double have a unit of their own, that mode is the
// unit's, and its conversion rounds in it: a Visual C++ x64 host sets its
// rounding mode in the SSE unit alone and leaves the x87 unit's at nearest.
// Elsewhere the exact extended value rounds on the x87 unit; the volatile
// store makes it really round instead of returning excess precision.
template <class Floating>
Floating round_once(std::uint64_t u) noexcept {
#if defined(VYKPAV_HAS_NATIVE_FLOAT_MATH)
  return static_cast<Floating>(u);
#else
  volatile Floating rounded = static_cast<Floating>(exact_extended(u));
  return rounded;
#endif
}

}  // namespace

VYKNB64& VYKNB64::operator=(const float& x) {
  assign_narrow(*this, x);
  return *this;
}
VYKNB64& VYKNB64::operator=(const double& x) {
  assign_narrow(*this, x);
  return *this;
}
VYKNB64& VYKNB64::operator=(const long double& x) {
  assign_truncated(*this, x);
  return *this;
}

VYKNB64::operator float() const { return round_once<float>(to_u64(*this)); }
VYKNB64::operator double() const { return round_once<double>(to_u64(*this)); }
VYKNB64::operator long double() const { return exact_extended(to_u64(*this)); }

}  // namespace Selvorin
