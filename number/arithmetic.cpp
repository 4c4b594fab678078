// Comparison, bitwise, shift, saturating addition and subtraction, increment
// and decrement of VYKNB64.
#include "number/u64.h"
#include "number/u64_rules.h"

namespace Selvorin {

using vykpav::number::add_saturating;
using vykpav::number::from_u64;
using vykpav::number::kMax32;
using vykpav::number::subtract_saturating;
using vykpav::number::to_u64;

namespace {

// Only bits 0-5 of a count are used; for a VYKNB64 count, those of `low`.
inline unsigned shift_count(ulong32 count) noexcept { return count & 63u; }
inline unsigned shift_count(const VYKNB64& count) noexcept { return count.low & 63u; }

// A 32-bit word shifted in place: counts of 32 to 63 clear it.
inline ulong32 shift_word_left(ulong32 n, unsigned s) noexcept {
  return s >= 32 ? 0 : static_cast<ulong32>(n << s);
}
inline ulong32 shift_word_right(ulong32 n, unsigned s) noexcept {
  return s >= 32 ? 0 : static_cast<ulong32>(n >> s);
}

}  // namespace

// Compound shift, addition, subtraction.
VYKNB64& VYKNB64::operator<<=(const VYKNB64& count) {
  *this = from_u64(to_u64(*this) << shift_count(count));
  return *this;
}
VYKNB64& VYKNB64::operator<<=(ulong32 count) {
  *this = from_u64(to_u64(*this) << shift_count(count));
  return *this;
}
VYKNB64& VYKNB64::operator>>=(const VYKNB64& count) {
  *this = from_u64(to_u64(*this) >> shift_count(count));
  return *this;
}
VYKNB64& VYKNB64::operator>>=(ulong32 count) {
  *this = from_u64(to_u64(*this) >> shift_count(count));
  return *this;
}
VYKNB64& VYKNB64::operator+=(const VYKNB64& other) {
  *this = from_u64(add_saturating(to_u64(*this), to_u64(other)));
  return *this;
}
VYKNB64& VYKNB64::operator+=(ulong32 other) {
  *this = from_u64(add_saturating(to_u64(*this), other));
  return *this;
}
VYKNB64& VYKNB64::operator-=(const VYKNB64& other) {
  *this = from_u64(subtract_saturating(to_u64(*this), to_u64(other)));
  return *this;
}
VYKNB64& VYKNB64::operator-=(ulong32 other) {
  *this = from_u64(subtract_saturating(to_u64(*this), other));
  return *this;
}

ulong32& operator<<=(ulong32& n, const VYKNB64& count) {
  return n = shift_word_left(n, shift_count(count));
}
ulong32& operator>>=(ulong32& n, const VYKNB64& count) {
  return n = shift_word_right(n, shift_count(count));
}
ulong32& operator+=(ulong32& n, const VYKNB64& v) {
  const std::uint64_t sum = add_saturating(n, to_u64(v));
  return n = sum > kMax32 ? kMax32 : static_cast<ulong32>(sum);
}
ulong32& operator-=(ulong32& n, const VYKNB64& v) {
  return n = static_cast<ulong32>(subtract_saturating(n, to_u64(v)));
}

// Bitwise and shift.
VYKNB64 VYKNB64::operator|(const VYKNB64& other) const {
  return from_u64(to_u64(*this) | to_u64(other));
}
VYKNB64 VYKNB64::operator|(ulong32 other) const { return from_u64(to_u64(*this) | other); }
VYKNB64 VYKNB64::operator^(const VYKNB64& other) const {
  return from_u64(to_u64(*this) ^ to_u64(other));
}
VYKNB64 VYKNB64::operator^(ulong32 other) const { return from_u64(to_u64(*this) ^ other); }
VYKNB64 VYKNB64::operator&(const VYKNB64& other) const {
  return from_u64(to_u64(*this) & to_u64(other));
}
VYKNB64 VYKNB64::operator&(ulong32 other) const { return from_u64(to_u64(*this) & other); }
VYKNB64 VYKNB64::operator<<(const VYKNB64& count) const {
  return from_u64(to_u64(*this) << shift_count(count));
}
VYKNB64 VYKNB64::operator<<(ulong32 count) const {
  return from_u64(to_u64(*this) << shift_count(count));
}
VYKNB64 VYKNB64::operator>>(const VYKNB64& count) const {
  return from_u64(to_u64(*this) >> shift_count(count));
}
VYKNB64 VYKNB64::operator>>(ulong32 count) const {
  return from_u64(to_u64(*this) >> shift_count(count));
}

VYKNB64 operator|(ulong32 n, const VYKNB64& v) { return from_u64(n | to_u64(v)); }
VYKNB64 operator^(ulong32 n, const VYKNB64& v) { return from_u64(n ^ to_u64(v)); }
VYKNB64 operator&(ulong32 n, const VYKNB64& v) { return from_u64(n & to_u64(v)); }
VYKNB64 operator<<(ulong32 n, const VYKNB64& count) {
  return from_u64(std::uint64_t{n} << shift_count(count));
}
VYKNB64 operator>>(ulong32 n, const VYKNB64& count) {
  return from_u64(std::uint64_t{n} >> shift_count(count));
}

// Comparisons.
bool VYKNB64::operator==(const VYKNB64& other) const { return to_u64(*this) == to_u64(other); }
bool VYKNB64::operator==(ulong32 other) const { return to_u64(*this) == other; }
bool VYKNB64::operator!=(const VYKNB64& other) const { return to_u64(*this) != to_u64(other); }
bool VYKNB64::operator!=(ulong32 other) const { return to_u64(*this) != other; }
bool VYKNB64::operator<(const VYKNB64& other) const { return to_u64(*this) < to_u64(other); }
bool VYKNB64::operator<(ulong32 other) const { return to_u64(*this) < other; }
bool VYKNB64::operator<=(const VYKNB64& other) const { return to_u64(*this) <= to_u64(other); }
bool VYKNB64::operator<=(ulong32 other) const { return to_u64(*this) <= other; }
bool VYKNB64::operator>(const VYKNB64& other) const { return to_u64(*this) > to_u64(other); }
bool VYKNB64::operator>(ulong32 other) const { return to_u64(*this) > other; }
bool VYKNB64::operator>=(const VYKNB64& other) const { return to_u64(*this) >= to_u64(other); }
bool VYKNB64::operator>=(ulong32 other) const { return to_u64(*this) >= other; }

bool operator==(ulong32 n, const VYKNB64& v) { return n == to_u64(v); }
bool operator!=(ulong32 n, const VYKNB64& v) { return n != to_u64(v); }
bool operator<(ulong32 n, const VYKNB64& v) { return n < to_u64(v); }
bool operator<=(ulong32 n, const VYKNB64& v) { return n <= to_u64(v); }
bool operator>(ulong32 n, const VYKNB64& v) { return n > to_u64(v); }
bool operator>=(ulong32 n, const VYKNB64& v) { return n >= to_u64(v); }

// Addition and subtraction.
VYKNB64 operator+(const VYKNB64& a, const VYKNB64& b) {
  return from_u64(add_saturating(to_u64(a), to_u64(b)));
}
VYKNB64 operator+(const VYKNB64& a, ulong32 b) { return from_u64(add_saturating(to_u64(a), b)); }
VYKNB64 operator+(ulong32 a, const VYKNB64& b) { return from_u64(add_saturating(a, to_u64(b))); }
VYKNB64 operator-(const VYKNB64& a, const VYKNB64& b) {
  return from_u64(subtract_saturating(to_u64(a), to_u64(b)));
}
VYKNB64 operator-(const VYKNB64& a, ulong32 b) {
  return from_u64(subtract_saturating(to_u64(a), b));
}
VYKNB64 operator-(ulong32 a, const VYKNB64& b) {
  return from_u64(subtract_saturating(a, to_u64(b)));
}

VYKNB64 VYKNB64::operator~() { return from_u64(~to_u64(*this)); }

VYKNB64& operator++(VYKNB64& v) {
  v = from_u64(add_saturating(to_u64(v), 1));
  return v;
}
VYKNB64& operator--(VYKNB64& v) {
  const std::uint64_t x = to_u64(v);
  v = from_u64(x - (x != 0 ? 1 : 0));  // one compare and a subtract with borrow
  return v;
}

}  // namespace Selvorin
