// VYKNB64: an unsigned 64-bit integer held as two 32-bit words.
//
// It behaves like a built-in unsigned 64-bit integer except in these ways:
//
//  * Arithmetic saturates instead of wrapping: +, *, ++ stop at 2^64 - 1,
//    -, -- stop at 0.
//  * A zero divisor yields the dividend (for / and % alike); the one exception
//    is 0 / 0 with a VYKNB64 dividend, which yields 1.
//  * Shift counts are taken modulo 64 (only bits 0-5 of the count are used),
//    so a shift by 64 leaves the value unchanged.
//  * An integer operand of any type but bool, on either side, counts with its
//    exact value, whatever its type and the platform. +, -, * give the exact
//    result clamped to [0, 2^64 - 1]: v + (-1) is v - 1, 3 - v is 0 for v > 3.
//    Comparisons compare the values: a negative integer is below every
//    VYKNB64. / and % truncate as C++ does, then clamp: v / -3 is 0, v % -3 is
//    v % 3, a negative dividend gives 0; 0 / 0 is 0 with an integer dividend,
//    0 % 0 is 0. &, |, ^ and shifts take the integer's bits as std::uint64_t
//    would: v & -1 is v, v << -1 shifts by 63.
//  * The compound forms with an integer on the left (n += v, n <<= v, ...)
//    exist only for the 32-bit word `ulong32` and compute a 32-bit result,
//    saturating at 2^32 - 1 where a VYKNB64 would saturate at 2^64 - 1. For an
//    integer of another type they do not compile, by design.
//  * Construction from a negative integer gives 0.
//  * Assignment from float, double and long double truncates toward zero,
//    clamps to [0, 2^64 - 1] and ignores a NaN. The conversions back are
//    explicit: long double is exact (on targets with the 80-bit format),
//    float and double round once in the current rounding mode.
//  * Conversions to integer types are explicit, and give what static_cast of
//    the 64-bit value gives; there is none to bool (write v != 0).
//  * VsStr and VzStr write and read text in radix 2, 8, 10 and 16 with
//    digit grouping; nothing is localised. selvorin/vyknb64_ostream.h writes
//    a value to a std::ostream.
//  * There is no unary minus, logical not, postfix ++/--, or |=, ^=, &=.
//
// The layout is exactly that of a little-endian uint64_t: `low` (bits 0-31)
// then `high` (bits 32-63). The type is trivially copyable; construction and
// copying are inline and never cross the library boundary. So do the forms
// with integers other than the word: they forward to the exported ones.
//
// The interface comes first; the inline bodies follow it, below a divider.
#ifndef SELVORIN_VYKNB64_H
#define SELVORIN_VYKNB64_H

#include <cstddef>      // std::size_t
#include <cstdint>      // std::uint64_t, std::uint32_t
#include <limits>       // std::numeric_limits, specialised below
#include <type_traits>  // std::enable_if, std::is_integral
#include <typeindex>    // declares std::hash, without all of <functional>

#include "selvorin/export.h"

namespace Selvorin {

// The 32-bit unsigned word of the interface: `unsigned long` where that is 32
// bits wide (Windows), std::uint32_t elsewhere (LP64 systems).
#if defined(_WIN32)
using ulong32 = unsigned long;
#else
using ulong32 = std::uint32_t;
#endif
static_assert(sizeof(ulong32) == 4, "ulong32 must be 32 bits wide");

namespace vyknb64_internal {

// The conditions of the templates below. Integer: any integer type.
// OtherInteger: those of the inline mixed forms, all but bool, which keeps the
// word forms, and the word itself, whose forms are exported.
template <class Integer>
using IfInteger = typename std::enable_if<std::is_integral<Integer>::value, int>::type;
template <class Integer>
using IfIntegerButBool =
    typename std::enable_if<std::is_integral<Integer>::value && !std::is_same<Integer, bool>::value,
                            int>::type;
template <class Integer>
using IfOtherInteger = typename std::enable_if<std::is_integral<Integer>::value &&
                                                   !std::is_same<Integer, bool>::value &&
                                                   !std::is_same<Integer, ulong32>::value,
                                               int>::type;

}  // namespace vyknb64_internal

class VYKNB64 {
 public:
  ulong32 low;   // bits 0-31
  ulong32 high;  // bits 32-63

  constexpr VYKNB64() noexcept : low(0), high(0) {}

  // From an integer of up to 64 bits: the full value, so a uint64_t keeps its
  // high half; a negative integer gives 0, as a negative floating-point value
  // does.
  // NOLINTNEXTLINE(google-explicit-constructor): implicit by design, like a built-in
  template <class Integer, vyknb64_internal::IfInteger<Integer> = 0>
  constexpr VYKNB64(Integer n) noexcept;

  template <class Integer, vyknb64_internal::IfInteger<Integer> = 0>
  VYKNB64& operator=(Integer n) noexcept;

  // Compound shift, addition, subtraction, multiplication, division, remainder.
  VYKPAV_API VYKNB64& operator<<=(const VYKNB64& count);
  VYKPAV_API VYKNB64& operator<<=(ulong32 count);
  VYKPAV_API VYKNB64& operator>>=(const VYKNB64& count);
  VYKPAV_API VYKNB64& operator>>=(ulong32 count);
  VYKPAV_API VYKNB64& operator+=(const VYKNB64& other);
  VYKPAV_API VYKNB64& operator+=(ulong32 other);
  VYKPAV_API VYKNB64& operator-=(const VYKNB64& other);
  VYKPAV_API VYKNB64& operator-=(ulong32 other);
  VYKPAV_API VYKNB64& operator*=(const VYKNB64& other);
  VYKPAV_API VYKNB64& operator*=(ulong32 other);
  VYKPAV_API VYKNB64& operator/=(const VYKNB64& divisor);
  VYKPAV_API VYKNB64& operator/=(ulong32 divisor);
  VYKPAV_API VYKNB64& operator%=(const VYKNB64& divisor);
  VYKPAV_API VYKNB64& operator%=(ulong32 divisor);

  // The same with an integer of another type: its exact value, a count's
  // low 6 bits. A negative factor or divisor makes the exact result 0 or
  // below; the truncating remainder has the sign of the dividend, so v % -d
  // is v % d.
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator<<=(Integer count);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator>>=(Integer count);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator+=(Integer n);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator-=(Integer n);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator*=(Integer n);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator/=(Integer divisor);
  template <class Integer, vyknb64_internal::IfOtherInteger<Integer> = 0>
  VYKNB64& operator%=(Integer divisor);

  // Bitwise and shift; with a word operand, & clears the high half while | and
  // ^ pass it through.
  VYKPAV_API VYKNB64 operator|(const VYKNB64& other) const;
  VYKPAV_API VYKNB64 operator|(ulong32 other) const;
  VYKPAV_API VYKNB64 operator^(const VYKNB64& other) const;
  VYKPAV_API VYKNB64 operator^(ulong32 other) const;
  VYKPAV_API VYKNB64 operator&(const VYKNB64& other) const;
  VYKPAV_API VYKNB64 operator&(ulong32 other) const;
  VYKPAV_API VYKNB64 operator<<(const VYKNB64& count) const;
  VYKPAV_API VYKNB64 operator<<(ulong32 count) const;
  VYKPAV_API VYKNB64 operator>>(const VYKNB64& count) const;
  VYKPAV_API VYKNB64 operator>>(ulong32 count) const;

  // Comparisons, unsigned.
  VYKPAV_API bool operator==(const VYKNB64& other) const;
  VYKPAV_API bool operator==(ulong32 other) const;
  VYKPAV_API bool operator!=(const VYKNB64& other) const;
  VYKPAV_API bool operator!=(ulong32 other) const;
  VYKPAV_API bool operator<(const VYKNB64& other) const;
  VYKPAV_API bool operator<(ulong32 other) const;
  VYKPAV_API bool operator<=(const VYKNB64& other) const;
  VYKPAV_API bool operator<=(ulong32 other) const;
  VYKPAV_API bool operator>(const VYKNB64& other) const;
  VYKPAV_API bool operator>(ulong32 other) const;
  VYKPAV_API bool operator>=(const VYKNB64& other) const;
  VYKPAV_API bool operator>=(ulong32 other) const;

  // Both words complemented; the value itself is left unchanged.
  VYKPAV_API VYKNB64 operator~();

  // Assignment from floating point: truncates toward zero, clamps to
  // [0, 2^64 - 1], leaves the value unchanged for a NaN. The caller's
  // rounding mode is never changed.
  VYKPAV_API VYKNB64& operator=(const float& x);
  VYKPAV_API VYKNB64& operator=(const double& x);
  VYKPAV_API VYKNB64& operator=(const long double& x);

  // Conversion to floating point. Explicit, so that v == 5 or v + 1 never
  // becomes ambiguous with the built-in floating-point operators.
  VYKPAV_API explicit operator float() const;
  VYKPAV_API explicit operator double() const;
  VYKPAV_API explicit operator long double() const;

  // Conversion to an integer type, as static_cast of the 64-bit value would
  // give. Explicit as well, and not to bool: v != 0 says what is meant.
  template <class Integer, vyknb64_internal::IfIntegerButBool<Integer> = 0>
  constexpr explicit operator Integer() const noexcept;

  // Writes the value as digits in `radix` (2, 8, 10 or 16) followed by a zero
  // byte and returns the number of digits and separators written. The format
  // word holds four byte fields, least significant first:
  //   byte 0  group size (0: no grouping)
  //   byte 1  separator between groups (0: space)
  //   byte 2  minimum number of digits, zero-filled (0: none)
  //   byte 3  offset added to the letters A-F (32: lower case)
  // `buffer` must hold 2 * (largest digit count) + 4 bytes: 44 for radix 10,
  // 36 for 16, 48 for 8, 132 for 2. A null buffer or another radix writes
  // nothing useful and returns 0. The value is not changed.
  VYKPAV_API int VsStr(unsigned char* buffer, ulong32 format, int radix);
  int VsStr(char* buffer, ulong32 format, int radix) {
    return VsStr(reinterpret_cast<unsigned char*>(buffer), format, radix);
  }
  int VsStr(decltype(nullptr), ulong32 format, int radix) {
    return VsStr(static_cast<unsigned char*>(nullptr), format, radix);
  }

  // Reads a value from text: decimal ("1234", "1 234"), or hexadecimal,
  // octal, binary after a prefix of a digit and x/X, o/O or b/B ("0x1F",
  // "0o17", "0b101"). The format word holds:
  //   byte 0  length of the text (0: up to the terminator or a zero byte)
  //   byte 1  separator, skipped anywhere among the digits (0: space)
  //   byte 2  terminator, used when byte 0 is 0 (0: the zero byte)
  // Decimal text saturates at 2^64 - 1; prefixed text keeps the low 64 bits.
  // Returns true when the whole text was read; on false the value may hold
  // the digits read before the rejected character.
  VYKPAV_API bool VzStr(const unsigned char* text, ulong32 format);
  bool VzStr(const char* text, ulong32 format) {
    return VzStr(reinterpret_cast<const unsigned char*>(text), format);
  }
  bool VzStr(decltype(nullptr), ulong32 format) {
    return VzStr(static_cast<const unsigned char*>(nullptr), format);
  }
};

static_assert(sizeof(VYKNB64) == 8, "VYKNB64 is exactly two 32-bit words");
static_assert(std::is_trivially_copyable<VYKNB64>::value, "VYKNB64 is copied word by word");
static_assert(std::is_standard_layout<VYKNB64>::value, "VYKNB64 has the layout of its two words");

// Compound assignments into a 32-bit word; results are 32-bit and saturate
// at 2^32 - 1 (+=, *=) or 0 (-=). Shifts by 32 to 63 give 0.
VYKPAV_API ulong32& operator<<=(ulong32& n, const VYKNB64& count);
VYKPAV_API ulong32& operator>>=(ulong32& n, const VYKNB64& count);
VYKPAV_API ulong32& operator+=(ulong32& n, const VYKNB64& v);
VYKPAV_API ulong32& operator-=(ulong32& n, const VYKNB64& v);
VYKPAV_API ulong32& operator*=(ulong32& n, const VYKNB64& v);
VYKPAV_API ulong32& operator/=(ulong32& n, const VYKNB64& divisor);
VYKPAV_API ulong32& operator%=(ulong32& n, const VYKNB64& divisor);

// A word on the left; the result is 64-bit (n << 40 keeps every bit of n).
VYKPAV_API VYKNB64 operator|(ulong32 n, const VYKNB64& v);
VYKPAV_API VYKNB64 operator^(ulong32 n, const VYKNB64& v);
VYKPAV_API VYKNB64 operator&(ulong32 n, const VYKNB64& v);
VYKPAV_API VYKNB64 operator<<(ulong32 n, const VYKNB64& count);
VYKPAV_API VYKNB64 operator>>(ulong32 n, const VYKNB64& count);

VYKPAV_API bool operator==(ulong32 n, const VYKNB64& v);
VYKPAV_API bool operator!=(ulong32 n, const VYKNB64& v);
VYKPAV_API bool operator<(ulong32 n, const VYKNB64& v);
VYKPAV_API bool operator<=(ulong32 n, const VYKNB64& v);
VYKPAV_API bool operator>(ulong32 n, const VYKNB64& v);
VYKPAV_API bool operator>=(ulong32 n, const VYKNB64& v);

VYKPAV_API VYKNB64 operator+(const VYKNB64& a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator+(const VYKNB64& a, ulong32 b);
VYKPAV_API VYKNB64 operator+(ulong32 a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator-(const VYKNB64& a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator-(const VYKNB64& a, ulong32 b);
VYKPAV_API VYKNB64 operator-(ulong32 a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator*(const VYKNB64& a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator*(const VYKNB64& a, ulong32 b);
VYKPAV_API VYKNB64 operator*(ulong32 a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator/(const VYKNB64& a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator/(const VYKNB64& a, ulong32 b);
VYKPAV_API VYKNB64 operator/(ulong32 a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator%(const VYKNB64& a, const VYKNB64& b);
VYKPAV_API VYKNB64 operator%(const VYKNB64& a, ulong32 b);
VYKPAV_API VYKNB64 operator%(ulong32 a, const VYKNB64& b);

// Prefix only; saturate at 2^64 - 1 and 0.
VYKPAV_API VYKNB64& operator++(VYKNB64& v);
VYKPAV_API VYKNB64& operator--(VYKNB64& v);

// With an integer of any type but bool and the word, every operator above
// works as the rule at the top of this header says, on either side: the
// integer counts with its exact value, or its bits for &, |, ^ and shifts.
// These forms are inline templates (below) that forward to the exported
// forms with two VYKNB64 or the word, so none crosses the library boundary
// by itself. Compound forms into such an integer do not exist.

}  // namespace Selvorin

namespace std {

// The limits of the range; unlike std::uint64_t, the arithmetic saturates
// rather than wrapping (is_modulo is false), and nothing traps.
template <>
class numeric_limits<Selvorin::VYKNB64> {
 public:
  static constexpr bool is_specialized = true;
  static constexpr bool is_signed = false;
  static constexpr bool is_integer = true;
  static constexpr bool is_exact = true;
  static constexpr bool has_infinity = false;
  static constexpr bool has_quiet_NaN = false;
  static constexpr bool has_signaling_NaN = false;
  static constexpr float_denorm_style has_denorm = denorm_absent;
  static constexpr bool has_denorm_loss = false;
  static constexpr float_round_style round_style = round_toward_zero;
  static constexpr bool is_iec559 = false;
  static constexpr bool is_bounded = true;
  static constexpr bool is_modulo = false;
  static constexpr int digits = 64;
  static constexpr int digits10 = 19;
  static constexpr int max_digits10 = 0;
  static constexpr int radix = 2;
  static constexpr int min_exponent = 0;
  static constexpr int min_exponent10 = 0;
  static constexpr int max_exponent = 0;
  static constexpr int max_exponent10 = 0;
  static constexpr bool traps = false;
  static constexpr bool tinyness_before = false;

  static constexpr Selvorin::VYKNB64 min() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 lowest() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 max() noexcept {
    return Selvorin::VYKNB64(numeric_limits<std::uint64_t>::max());
  }
  static constexpr Selvorin::VYKNB64 epsilon() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 round_error() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 infinity() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 quiet_NaN() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 signaling_NaN() noexcept { return Selvorin::VYKNB64(); }
  static constexpr Selvorin::VYKNB64 denorm_min() noexcept { return Selvorin::VYKNB64(); }
};

template <>
struct hash<Selvorin::VYKNB64> {
  std::size_t operator()(const Selvorin::VYKNB64& v) const noexcept;
};

}  // namespace std

// ---------------------------------------------------------------------------
// Implementation details follow
// ---------------------------------------------------------------------------

namespace Selvorin {
namespace vyknb64_internal {

// An integer's exact value as a sign and a magnitude; every magnitude fits
// 64 bits (the most negative is 2^63).
struct SignAndMagnitude {
  bool negative;
  std::uint64_t magnitude;
};

template <class Integer>
constexpr SignAndMagnitude sign_and_magnitude(Integer n, std::true_type /*signed*/) noexcept {
  return n < 0 ? SignAndMagnitude{true, 0 - static_cast<std::uint64_t>(n)}
               : SignAndMagnitude{false, static_cast<std::uint64_t>(n)};
}
template <class Integer>
constexpr SignAndMagnitude sign_and_magnitude(Integer n, std::false_type /*signed*/) noexcept {
  return SignAndMagnitude{false, static_cast<std::uint64_t>(n)};
}
template <class Integer>
constexpr SignAndMagnitude sign_and_magnitude(Integer n) noexcept {
  static_assert(sizeof(Integer) <= sizeof(std::uint64_t),
                "integers wider than 64 bits are not taken");
  return sign_and_magnitude(n, std::is_signed<Integer>());
}

// The bits of a bitwise operand: two's complement in 64 bits, as the
// conversion to std::uint64_t gives them.
template <class Integer>
constexpr std::uint64_t bits_of(Integer n) noexcept {
  static_assert(sizeof(Integer) <= sizeof(std::uint64_t),
                "integers wider than 64 bits are not taken");
  return static_cast<std::uint64_t>(n);
}

// A shift count: bits 0-5 of those bits.
template <class Integer>
constexpr ulong32 shift_count_of(Integer count) noexcept {
  return static_cast<ulong32>(bits_of(count) & 63u);
}

// A value given at construction: a negative integer gives 0.
template <class Integer>
constexpr std::uint64_t clamp_to_unsigned(Integer n) noexcept {
  const SignAndMagnitude m = sign_and_magnitude(n);
  return m.negative ? 0 : m.magnitude;
}

// The hash of a value: the value itself where std::size_t holds 64 bits, so
// no two collide; a 32-bit std::size_t gets the high word folded into the low
// one by an odd multiplier, so values apart only in `high` do not all collide.
template <class Size, bool = (sizeof(Size) >= sizeof(std::uint64_t))>
struct ValueHash {
  static Size of(std::uint64_t x) noexcept { return x; }
};
template <class Size>
struct ValueHash<Size, false> {
  static Size of(std::uint64_t x) noexcept {
    return static_cast<Size>(x ^ ((x >> 32) * 0x9E3779B9u));
  }
};

}  // namespace vyknb64_internal

template <class Integer, vyknb64_internal::IfInteger<Integer>>
constexpr VYKNB64::VYKNB64(Integer n) noexcept
    : low(static_cast<ulong32>(vyknb64_internal::clamp_to_unsigned(n))),
      high(static_cast<ulong32>(vyknb64_internal::clamp_to_unsigned(n) >> 32)) {}

template <class Integer, vyknb64_internal::IfInteger<Integer>>
VYKNB64& VYKNB64::operator=(Integer n) noexcept {
  return *this = VYKNB64(n);
}

template <class Integer, vyknb64_internal::IfIntegerButBool<Integer>>
constexpr VYKNB64::operator Integer() const noexcept {
  return static_cast<Integer>((static_cast<std::uint64_t>(high) << 32) | low);
}

template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator<<=(Integer count) {
  return *this <<= vyknb64_internal::shift_count_of(count);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator>>=(Integer count) {
  return *this >>= vyknb64_internal::shift_count_of(count);
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator+=(Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative ? (*this -= VYKNB64(m.magnitude)) : (*this += VYKNB64(m.magnitude));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator-=(Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative ? (*this += VYKNB64(m.magnitude)) : (*this -= VYKNB64(m.magnitude));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator*=(Integer n) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(n);
  return m.negative ? (*this = VYKNB64()) : (*this *= VYKNB64(m.magnitude));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator/=(Integer divisor) {
  const vyknb64_internal::SignAndMagnitude m = vyknb64_internal::sign_and_magnitude(divisor);
  return m.negative ? (*this = VYKNB64()) : (*this /= VYKNB64(m.magnitude));
}
template <class Integer, vyknb64_internal::IfOtherInteger<Integer>>
VYKNB64& VYKNB64::operator%=(Integer divisor) {
  return *this %= VYKNB64(vyknb64_internal::sign_and_magnitude(divisor).magnitude);
}

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

inline std::size_t std::hash<Selvorin::VYKNB64>::operator()(
    const Selvorin::VYKNB64& v) const noexcept {
  return Selvorin::vyknb64_internal::ValueHash<std::size_t>::of(static_cast<std::uint64_t>(v));
}

#endif  // SELVORIN_VYKNB64_H
