// Conversions between VYKNB64 and float, double and long double.
//
// Assignment truncates toward zero and clamps. A C++ cast of an in-range
// floating value to an integer always truncates, whatever the rounding mode,
// and the compiler restores any control word it changes for the cast, so the
// caller's floating-point environment is never disturbed.
#include "number/u64.h"

namespace Selvorin {

using vykpav::number::kMax64;
using vykpav::number::store_u64;
using vykpav::number::to_u64;

namespace {

// One routine for the three widths: every float, double and long double is
// compared and truncated exactly in its own format, and 2^64 is exact in all.
template <class Floating>
void assign_truncated(VYKNB64& v, Floating x) noexcept {
  if (x != x) return;  // NaN: the value is left as it was
  if (!(x > Floating(0))) {
    store_u64(v, 0);  // zero, negative zero, negatives, negative infinity
  } else if (x >= Floating(18446744073709551616.0L)) {
    store_u64(v, kMax64);  // 2^64 and above, positive infinity
  } else {
    store_u64(v, static_cast<std::uint64_t>(x));
  }
}

}  // namespace

VYKNB64& VYKNB64::operator=(const float& x) {
  assign_truncated(*this, x);
  return *this;
}
VYKNB64& VYKNB64::operator=(const double& x) {
  assign_truncated(*this, x);
  return *this;
}
VYKNB64& VYKNB64::operator=(const long double& x) {
  assign_truncated(*this, x);
  return *this;
}

namespace {

// The integer is converted straight to the requested type: one correctly
// rounded step in the current rounding mode, the same result as rounding the
// exact extended value once. The volatile store makes x87 targets really
// round to the narrow format instead of returning excess precision.
template <class Floating>
Floating round_once(std::uint64_t u) noexcept {
  volatile Floating rounded = static_cast<Floating>(u);
  return rounded;
}

}  // namespace

VYKNB64::operator float() const { return round_once<float>(to_u64(*this)); }
VYKNB64::operator double() const { return round_once<double>(to_u64(*this)); }
VYKNB64::operator long double() const { return static_cast<long double>(to_u64(*this)); }

}  // namespace Selvorin
