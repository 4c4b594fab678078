// An exact integer for the tests of VYKNB64 with integers of every type: a
// sign and a 128-bit magnitude, enough for every sum, difference and product
// of two numbers below 2^64 in magnitude, and for their truncating quotient
// and remainder. Nothing here uses the library.
//
// The magnitude is the compiler's unsigned __int128 where it has one. 32-bit
// targets have none; there it is Limbs, two 64-bit words, which the native
// tests check against unsigned __int128.
#ifndef VYKPAV_TESTS_SUPPORT_EXACT_INTEGER_H
#define VYKPAV_TESTS_SUPPORT_EXACT_INTEGER_H

#include <cstdint>
#include <stdexcept>
#include <type_traits>

namespace exact {

using u64 = std::uint64_t;

// Unsigned 128-bit arithmetic modulo 2^128 on two 64-bit words; division
// only of numbers below 2^64, which is all that Integer needs.
struct Limbs {
  u64 high = 0;
  u64 low = 0;

  Limbs() = default;
  Limbs(u64 x) : low(x) {}  // NOLINT(google-explicit-constructor): as the native type converts

  friend Limbs operator+(Limbs a, Limbs b) {
    Limbs sum;
    sum.low = a.low + b.low;
    sum.high = a.high + b.high + (sum.low < a.low ? 1 : 0);
    return sum;
  }
  friend Limbs operator-(Limbs a, Limbs b) {
    Limbs difference;
    difference.low = a.low - b.low;
    difference.high = a.high - b.high - (a.low < b.low ? 1 : 0);
    return difference;
  }
  // Schoolbook on 32-bit digits: each partial product fits 64 bits.
  friend Limbs operator*(Limbs a, Limbs b) {
    const u64 a0 = a.low & 0xFFFFFFFFu, a1 = a.low >> 32;
    const u64 b0 = b.low & 0xFFFFFFFFu, b1 = b.low >> 32;
    const u64 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const u64 middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    Limbs product;
    product.low = (middle << 32) | (p00 & 0xFFFFFFFFu);
    product.high =
        p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32) + a.high * b.low + a.low * b.high;
    return product;
  }
  friend Limbs operator/(Limbs a, Limbs b) { return Limbs(narrow(a) / narrow(b)); }
  friend Limbs operator%(Limbs a, Limbs b) { return Limbs(narrow(a) % narrow(b)); }
  friend bool operator<(Limbs a, Limbs b) {
    return a.high != b.high ? a.high < b.high : a.low < b.low;
  }
  friend bool operator==(Limbs a, Limbs b) { return a.high == b.high && a.low == b.low; }

  static u64 narrow(Limbs x) {
    if (x.high != 0) throw std::logic_error("Limbs divides numbers below 2^64 only");
    return x.low;
  }
};

inline u64 low_64_bits(Limbs x) { return x.low; }
#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 NativeMagnitude;
inline u64 low_64_bits(NativeMagnitude x) { return static_cast<u64>(x); }
#endif

// An integer as a sign and a magnitude; zero is never negative.
template <class Magnitude>
class Integer {
 public:
  Integer() = default;

  template <class Int>
  static Integer of(Int n) {
    static_assert(std::is_integral<Int>::value, "integers only");
    if constexpr (std::is_signed<Int>::value) {
      // -(n + 1) cannot overflow, even for the most negative n.
      if (n < 0) return Integer(true, Magnitude(static_cast<u64>(-(n + 1))) + Magnitude(1));
    }
    return Integer(false, Magnitude(static_cast<u64>(n)));
  }
  static Integer two_to_the_64() { return of(~u64{0}) + of(1); }

  bool negative() const { return negative_; }

  friend Integer operator+(Integer a, Integer b) {
    if (a.negative_ == b.negative_) return Integer(a.negative_, a.magnitude_ + b.magnitude_);
    if (b.magnitude_ < a.magnitude_) return Integer(a.negative_, a.magnitude_ - b.magnitude_);
    return Integer(b.negative_, b.magnitude_ - a.magnitude_);
  }
  friend Integer operator-(Integer a, Integer b) { return a + Integer(!b.negative_, b.magnitude_); }
  friend Integer operator*(Integer a, Integer b) {
    return Integer(a.negative_ != b.negative_, a.magnitude_ * b.magnitude_);
  }
  // Truncating, as C++ divides: the quotient toward zero, the remainder with
  // the sign of the dividend.
  friend Integer operator/(Integer a, Integer b) {
    return Integer(a.negative_ != b.negative_, a.magnitude_ / b.magnitude_);
  }
  friend Integer operator%(Integer a, Integer b) {
    return Integer(a.negative_, a.magnitude_ % b.magnitude_);
  }
  friend bool operator==(Integer a, Integer b) {
    return a.negative_ == b.negative_ && a.magnitude_ == b.magnitude_;
  }
  friend bool operator<(Integer a, Integer b) {
    if (a.negative_ != b.negative_) return a.negative_;
    return a.negative_ ? b.magnitude_ < a.magnitude_ : a.magnitude_ < b.magnitude_;
  }

  // The value clamped to [0, 2^64 - 1].
  u64 saturated() const {
    if (negative_) return 0;
    if (Magnitude(~u64{0}) < magnitude_) return ~u64{0};
    return low_64_bits(magnitude_);
  }
  // The low 64 bits of the two's complement: 2^64 + n for a negative n.
  u64 bits() const {
    return negative_ ? (two_to_the_64() + *this).saturated() : low_64_bits(magnitude_);
  }

 private:
  Integer(bool negative, Magnitude magnitude)
      : negative_(negative && !(magnitude == Magnitude(0))), magnitude_(magnitude) {}

  bool negative_ = false;
  Magnitude magnitude_ = Magnitude(0);
};

}  // namespace exact

#endif  // VYKPAV_TESTS_SUPPORT_EXACT_INTEGER_H
