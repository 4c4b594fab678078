// VYKNB64 with integers of every standard type, on either side of every
// operator, against the rule computed on exact integers: the exact result
// clamped to [0, 2^64 - 1], the values compared, two's complement bits for
// &, |, ^ and shifts. Each type meets VYKNB64 at the edges of both ranges,
// then in random pairs from a fixed start.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/exact_integer.h"
#include "support/reference.h"

namespace {

using reference::Mismatches;
using reference::shl;
using reference::shr;
using reference::u64;
using reference::value_of;
using Selvorin::VYKNB64;

#if defined(__SIZEOF_INT128__)
using Exact = exact::Integer<exact::NativeMagnitude>;
#else
using Exact = exact::Integer<exact::Limbs>;
#endif

constexpr int kRandomPairsPerType = 20000;

template <class Integer>
std::string text_of(Integer n) {
  if (std::is_signed<Integer>::value) return std::to_string(static_cast<long long>(n));
  return std::to_string(static_cast<unsigned long long>(n));
}

// Every form that mixes the value a with the integer n, against the rule.
template <class Integer>
void check_pair(Mismatches& m, const char* type, u64 a, Integer n) {
  const std::string operands = std::string(type) + " n=" + text_of(n) + ", v=" + std::to_string(a);
  const auto check = [&](const char* what, bool holds) { m.check(what, operands, holds); };
  const VYKNB64 v = reference::make(a);
  const Exact x = Exact::of(a), y = Exact::of(n), zero;
  const u64 bits = y.bits();

  check("v + n", value_of(v + n) == (x + y).saturated());
  check("n + v", value_of(n + v) == (y + x).saturated());
  check("v - n", value_of(v - n) == (x - y).saturated());
  check("n - v", value_of(n - v) == (y - x).saturated());
  check("v * n", value_of(v * n) == (x * y).saturated());
  check("n * v", value_of(n * v) == (y * x).saturated());
  // A zero divisor yields the dividend, clamped; 0 / 0 is 1 with the VYKNB64
  // as dividend, 0 with the integer.
  const bool n_is_zero = y == zero;
  check("v / n", value_of(v / n) == (n_is_zero ? (a == 0 ? 1 : a) : (x / y).saturated()));
  check("v % n", value_of(v % n) == (n_is_zero ? a : (x % y).saturated()));
  check("n / v", value_of(n / v) == (a == 0 ? y.saturated() : (y / x).saturated()));
  check("n % v", value_of(n % v) == (a == 0 ? y.saturated() : (y % x).saturated()));

  check("v == n", (v == n) == (x == y));
  check("v != n", (v != n) == !(x == y));
  check("v < n", (v < n) == (x < y));
  check("v <= n", (v <= n) == !(y < x));
  check("v > n", (v > n) == (y < x));
  check("v >= n", (v >= n) == !(x < y));
  check("n == v", (n == v) == (y == x));
  check("n != v", (n != v) == !(y == x));
  check("n < v", (n < v) == (y < x));
  check("n <= v", (n <= v) == !(x < y));
  check("n > v", (n > v) == (x < y));
  check("n >= v", (n >= v) == !(y < x));

  check("v | n", value_of(v | n) == (a | bits));
  check("n | v", value_of(n | v) == (bits | a));
  check("v ^ n", value_of(v ^ n) == (a ^ bits));
  check("n ^ v", value_of(n ^ v) == (bits ^ a));
  check("v & n", value_of(v & n) == (a & bits));
  check("n & v", value_of(n & v) == (bits & a));
  check("v << n", value_of(v << n) == shl(a, bits));
  check("n << v", value_of(n << v) == shl(bits, a));
  check("v >> n", value_of(v >> n) == shr(a, bits));
  check("n >> v", value_of(n >> v) == shr(bits, a));

  VYKNB64 c;
  // clang-format off
  c = v; c += n; check("v += n", value_of(c) == value_of(v + n));
  c = v; c -= n; check("v -= n", value_of(c) == value_of(v - n));
  c = v; c *= n; check("v *= n", value_of(c) == value_of(v * n));
  c = v; c /= n; check("v /= n", value_of(c) == value_of(v / n));
  c = v; c %= n; check("v %= n", value_of(c) == value_of(v % n));
  c = v; c <<= n; check("v <<= n", value_of(c) == shl(a, bits));
  c = v; c >>= n; check("v >>= n", value_of(c) == shr(a, bits));
  // clang-format on
}

// 0, 1, 2, -1, -2 and the ends of the type's range; an unsigned type holds
// -1 and -2 as its two largest values.
template <class Integer>
std::vector<Integer> integer_edges() {
  using Limits = std::numeric_limits<Integer>;
  return {Integer(0),
          Integer(1),
          Integer(2),
          Integer(-1),
          Integer(-2),
          Limits::min(),
          Integer(Limits::min() + 1),
          Limits::max(),
          Integer(Limits::max() - 1)};
}

template <class Integer>
void check_type(Mismatches& m, const char* type, u64 start) {
  for (Integer n : integer_edges<Integer>())
    for (u64 a : reference::boundary_values()) check_pair(m, type, a, n);
  // Random bits at a random length, so small and large, negative and
  // positive integers all come up; VYKNB64 values from the shared source.
  std::mt19937_64 engine(start);
  reference::OperandSource values(start + 1);
  for (int i = 0; i < kRandomPairsPerType; ++i) {
    const unsigned length = static_cast<unsigned>(engine() % 64);
    const Integer n = static_cast<Integer>(engine() >> length);
    check_pair(m, type, values.next(), n);
  }
}

TEST(NumberMixedIntegers, EveryIntegerTypeOnEitherSideFollowsTheRule) {
  Mismatches m;
  check_type<signed char>(m, "signed char", 1);
  check_type<unsigned char>(m, "unsigned char", 2);
  check_type<char>(m, "char", 3);
  check_type<short>(m, "short", 4);
  check_type<unsigned short>(m, "unsigned short", 5);
  check_type<int>(m, "int", 6);
  check_type<unsigned>(m, "unsigned", 7);
  check_type<long>(m, "long", 8);
  check_type<unsigned long>(m, "unsigned long", 9);
  check_type<long long>(m, "long long", 10);
  check_type<unsigned long long>(m, "unsigned long long", 11);
  check_type<wchar_t>(m, "wchar_t", 12);
  check_type<char16_t>(m, "char16_t", 13);
  check_type<char32_t>(m, "char32_t", 14);
  EXPECT_EQ(m.count(), 0u) << m.text();
}

// The cases that went wrong when every integer became the 32-bit word, and
// the rule's own examples, as a host would write them.
TEST(NumberMixedIntegers, DocumentedExamples) {
  const u64 big = u64{1} << 40;
  const VYKNB64 five = 5, zero = 0, seven = 7;
  const struct {
    const char* expression;
    u64 got, want;
  } rows[] = {
      {"5 + 2^40", value_of(five + big), big + 5},
      {"5 == 2^40 + 5", five == big + 5, 0},
      {"5 * 2^40", value_of(five * big), 5 * big},
      {"5 + (-1LL)", value_of(five + (-1LL)), 4},
      {"0 + (-1)", value_of(zero + (-1)), 0},
      {"3 - 5", value_of(3 - five), 0},
      {"5 - (-3)", value_of(five - (-3)), 8},
      {"7 * -2", value_of(seven * -2), 0},
      {"7 / -3", value_of(seven / -3), 0},
      {"7 % -3", value_of(seven % -3), 1},
      {"-7 / 2", value_of(-7 / VYKNB64(2)), 0},
      {"-7 % 2", value_of(-7 % VYKNB64(2)), 0},
      {"-1 < 0", -1 < zero, 1},
      {"0 > -1", zero > -1, 1},
      {"5 & -1", value_of(five & -1), 5},
      {"5 | -2", value_of(five | -2), ~u64{0}},
      {"1 << -1", value_of(VYKNB64(1) << -1), u64{1} << 63},
      {"-1 >> 60 (bits)", value_of(-1 >> VYKNB64(60)), 15},
      {"size_t 0 / 0", value_of(std::size_t{0} / zero), 0},
      {"int 0 / 0", value_of(0 / zero), 0},
      {"0 / int 0", value_of(zero / 0), 1},
      {"0 % int 0", value_of(zero % 0), 0},
      {"2^40 / 0", value_of(big / zero), big},
      {"-5 / 0", value_of(-5 / zero), 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expression);
    EXPECT_EQ(row.got, row.want);
  }
}

#if defined(__SIZEOF_INT128__)
// The model that stands in for unsigned __int128 on 32-bit targets computes
// what it does, on the operand sizes the rule above meets.
TEST(NumberMixedIntegers, LimbsAgreeWithUnsignedInt128) {
  using exact::Limbs;
  using exact::NativeMagnitude;
  int mismatches = 0;
  const auto same = [](Limbs l, NativeMagnitude n) {
    return l.low == static_cast<u64>(n) && l.high == static_cast<u64>(n >> 64);
  };
  const auto check = [&](u64 a, u64 b) {
    const Limbs la(a), lb(b);
    const NativeMagnitude na(a), nb(b);
    // Sums and products up to 2^128, and one more step on each.
    const Limbs ls = la + lb, lp = la * lb;
    const NativeMagnitude ns = na + nb, np = na * nb;
    if (!same(ls, ns) || !same(lp, np) || !same(ls + lp, ns + np) || !same(lp - ls, np - ns) ||
        !same(ls * lb, ns * nb) || (la < lb) != (na < nb) || (lp < ls) != (np < ns) ||
        (ls == lp) != (ns == np))
      ++mismatches;
    if (b != 0 && (!same(la / lb, na / nb) || !same(la % lb, na % nb))) ++mismatches;
  };
  for (u64 a : reference::boundary_values())
    for (u64 b : reference::boundary_values()) check(a, b);
  reference::OperandSource source(99);
  for (int i = 0; i < 100000; ++i) check(source.next(), source.next());
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
