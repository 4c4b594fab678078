// VYKNB64 with an integer of any type but bool and the 32-bit word: the
// integer counts with its exact value, or its bits for &, |, ^ and shifts
// (selvorin/vyknb64.h states the rule). Each form forwards inline to the
// exported forms with two VYKNB64 or the word, so none of these crosses the
// library boundary by itself. The compound forms on a VYKNB64 are members of
// the class; compound forms into an integer other than the word do not exist.
//
// selvorin/vyknb64.h includes this header; a host includes that one.
#ifndef SELVORIN_VYKNB64_INTEGERS_H
#define SELVORIN_VYKNB64_INTEGERS_H

#include "selvorin/vyknb64.h"

namespace Selvorin {

// Bitwise and shift: the integer's bits, as std::uint64_t holds them.
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator|(const VYKNB64& v, Integer n) {
  return v | VYKNB64(vyknb64_internal::bits_of(n));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator|(Integer n, const VYKNB64& v) {
  return VYKNB64(vyknb64_internal::bits_of(n)) | v;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator^(const VYKNB64& v, Integer n) {
  return v ^ VYKNB64(vyknb64_internal::bits_of(n));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator^(Integer n, const VYKNB64& v) {
  return VYKNB64(vyknb64_internal::bits_of(n)) ^ v;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator&(const VYKNB64& v, Integer n) {
  return v & VYKNB64(vyknb64_internal::bits_of(n));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator&(Integer n, const VYKNB64& v) {
  return VYKNB64(vyknb64_internal::bits_of(n)) & v;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator<<(const VYKNB64& v, Integer count) {
  return v << vyknb64_internal::shift_count_of(count);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator<<(Integer n, const VYKNB64& count) {
  return VYKNB64(vyknb64_internal::bits_of(n)) << count;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator>>(const VYKNB64& v, Integer count) {
  return v >> vyknb64_internal::shift_count_of(count);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator>>(Integer n, const VYKNB64& count) {
  return VYKNB64(vyknb64_internal::bits_of(n)) >> count;
}

// Comparisons of the values: a negative integer is below every VYKNB64.
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator==(const VYKNB64& v, Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return !m.negative && v == VYKNB64(m.magnitude);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator<(const VYKNB64& v, Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return !m.negative && v < VYKNB64(m.magnitude);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator>(const VYKNB64& v, Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative || v > VYKNB64(m.magnitude);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator!=(const VYKNB64& v, Integer n) {
  return !(v == n);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator<=(const VYKNB64& v, Integer n) {
  return !(v > n);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator>=(const VYKNB64& v, Integer n) {
  return !(v < n);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator==(Integer n, const VYKNB64& v) {
  return v == n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator!=(Integer n, const VYKNB64& v) {
  return v != n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator<(Integer n, const VYKNB64& v) {
  return v > n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator<=(Integer n, const VYKNB64& v) {
  return v >= n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator>(Integer n, const VYKNB64& v) {
  return v < n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
bool operator>=(Integer n, const VYKNB64& v) {
  return v <= n;
}

// Arithmetic with the VYKNB64 on the left, through the compound members.
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator+(const VYKNB64& v, Integer n) {
  VYKNB64 sum = v;
  return sum += n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator-(const VYKNB64& v, Integer n) {
  VYKNB64 difference = v;
  return difference -= n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator*(const VYKNB64& v, Integer n) {
  VYKNB64 product = v;
  return product *= n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator/(const VYKNB64& v, Integer divisor) {
  VYKNB64 quotient = v;
  return quotient /= divisor;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator%(const VYKNB64& v, Integer divisor) {
  VYKNB64 remainder = v;
  return remainder %= divisor;
}

// Arithmetic with the integer on the left. A negative dividend or minuend
// makes the exact result 0 or below.
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator+(Integer n, const VYKNB64& v) {
  return v + n;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator-(Integer n, const VYKNB64& v) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative ? VYKNB64() : VYKNB64(m.magnitude) - v;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator*(Integer n, const VYKNB64& v) {
  return v * n;
}
// A dividend that fits the word takes the word form, so that 0 / 0 gives 0
// whatever type carries the 0; a wider one cannot equal a zero divisor.
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator/(Integer n, const VYKNB64& divisor) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  if (m.negative) return VYKNB64();
  if (m.magnitude <= 0xFFFFFFFFu) return static_cast<ulong32>(m.magnitude) / divisor;
  return VYKNB64(m.magnitude) / divisor;
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
VYKNB64 operator%(Integer n, const VYKNB64& divisor) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative ? VYKNB64() : VYKNB64(m.magnitude) % divisor;
}

}  // namespace Selvorin

#endif  // SELVORIN_VYKNB64_INTEGERS_H
