// Saturating multiplication, exact division and remainder of VYKNB64.
//
// Division runs on the native 64-bit integer divide: it is exact for every
// operand pair and never touches the floating-point control word.
#include "number/u64.h"
#include "number/u64_rules.h"

namespace Selvorin {

using vykpav::number::from_u64;
using vykpav::number::kMax32;
using vykpav::number::multiply_saturating;
using vykpav::number::quotient;
using vykpav::number::remainder;
using vykpav::number::to_u64;

namespace {

// A 32-bit dividend: a divisor beyond 32 bits gives 0 (remainder n), a zero
// divisor gives n for both.
inline ulong32 word_quotient(ulong32 n, const VYKNB64& d) noexcept {
  if (d.high != 0) return 0;
  return d.low == 0 ? n : n / d.low;
}
inline ulong32 word_remainder(ulong32 n, const VYKNB64& d) noexcept {
  if (d.high != 0 || d.low == 0) return n;
  return n % d.low;
}

}  // namespace

VYKNB64& VYKNB64::operator*=(const VYKNB64& other) {
  *this = from_u64(multiply_saturating(to_u64(*this), to_u64(other)));
  return *this;
}
VYKNB64& VYKNB64::operator*=(ulong32 other) {
  *this = from_u64(multiply_saturating(to_u64(*this), other));
  return *this;
}
VYKNB64& VYKNB64::operator/=(const VYKNB64& divisor) {
  *this = from_u64(quotient(to_u64(*this), to_u64(divisor)));
  return *this;
}
VYKNB64& VYKNB64::operator/=(ulong32 divisor) {
  *this = from_u64(quotient(to_u64(*this), divisor));
  return *this;
}
VYKNB64& VYKNB64::operator%=(const VYKNB64& divisor) {
  *this = from_u64(remainder(to_u64(*this), to_u64(divisor)));
  return *this;
}
VYKNB64& VYKNB64::operator%=(ulong32 divisor) {
  *this = from_u64(remainder(to_u64(*this), divisor));
  return *this;
}

ulong32& operator*=(ulong32& n, const VYKNB64& v) {
  const std::uint64_t product = multiply_saturating(n, to_u64(v));
  return n = product > kMax32 ? kMax32 : static_cast<ulong32>(product);
}
ulong32& operator/=(ulong32& n, const VYKNB64& divisor) { return n = word_quotient(n, divisor); }
ulong32& operator%=(ulong32& n, const VYKNB64& divisor) { return n = word_remainder(n, divisor); }

VYKNB64 operator*(const VYKNB64& a, const VYKNB64& b) {
  return from_u64(multiply_saturating(to_u64(a), to_u64(b)));
}
VYKNB64 operator*(const VYKNB64& a, ulong32 b) {
  return from_u64(multiply_saturating(to_u64(a), b));
}
VYKNB64 operator*(ulong32 a, const VYKNB64& b) {
  return from_u64(multiply_saturating(a, to_u64(b)));
}
VYKNB64 operator/(const VYKNB64& a, const VYKNB64& b) {
  return from_u64(quotient(to_u64(a), to_u64(b)));
}
VYKNB64 operator/(const VYKNB64& a, ulong32 b) { return from_u64(quotient(to_u64(a), b)); }
VYKNB64 operator/(ulong32 a, const VYKNB64& b) { return VYKNB64(word_quotient(a, b)); }
VYKNB64 operator%(const VYKNB64& a, const VYKNB64& b) {
  return from_u64(remainder(to_u64(a), to_u64(b)));
}
VYKNB64 operator%(const VYKNB64& a, ulong32 b) { return from_u64(remainder(to_u64(a), b)); }
VYKNB64 operator%(ulong32 a, const VYKNB64& b) { return VYKNB64(word_remainder(a, b)); }

}  // namespace Selvorin
