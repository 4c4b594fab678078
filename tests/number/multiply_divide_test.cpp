// Multiplication, division and remainder against the independent reference,
// in all three operand forms, plus the rules for zero divisors.
#include <gtest/gtest.h>

#include <cfenv>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

TEST(NumberMultiplyDivide, CompoundAssignmentsMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 vb = make(b);
    const ulong32 b32 = ulong32(b);
    const u32 a32 = u32(a);
    VYKNB64 x;
    // clang-format off
    x = make(a); x *= vb; m.check("v*=v", a, b, value_of(x), mul(a, b));
    x = make(a); x *= b32; m.check("v*=u", a, b, value_of(x), mul(a, u32(b)));
    x = make(a); x /= vb; m.check("v/=v", a, b, value_of(x), div(a, b));
    x = make(a); x /= b32; m.check("v/=u", a, b, value_of(x), div(a, u32(b)));
    x = make(a); x %= vb; m.check("v%=v", a, b, value_of(x), mod(a, b));
    x = make(a); x %= b32; m.check("v%=u", a, b, value_of(x), mod(a, u32(b)));
    // clang-format on
    ulong32 n;
    // clang-format off
    n = a32; n *= vb; m.check("u*=v", a32, b, u32(n), word_mul(a32, b));
    n = a32; n /= vb; m.check("u/=v", a32, b, u32(n), word_div(a32, b));
    n = a32; n %= vb; m.check("u%=v", a32, b, u32(n), word_mod(a32, b));
    // clang-format on
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

TEST(NumberMultiplyDivide, BinaryOperatorsMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 va = make(a), vb = make(b);
    const ulong32 a32 = ulong32(a), b32 = ulong32(b);
    m.check("v*v", a, b, value_of(va * vb), mul(a, b));
    m.check("v*u", a, b, value_of(va * b32), mul(a, u32(b)));
    m.check("u*v", a, b, value_of(a32 * vb), mul(u32(a), b));
    m.check("v/v", a, b, value_of(va / vb), div(a, b));
    m.check("v/u", a, b, value_of(va / b32), div(a, u32(b)));
    m.check("u/v", a, b, value_of(a32 / vb), u64(word_div(u32(a), b)));
    m.check("v%v", a, b, value_of(va % vb), mod(a, b));
    m.check("v%u", a, b, value_of(va % b32), mod(a, u32(b)));
    m.check("u%v", a, b, value_of(a32 % vb), u64(word_mod(u32(a), b)));
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

TEST(NumberMultiplyDivide, QuotientAndRemainderRecomposeTheDividend) {
  OperandSource source(77);
  for (int i = 0; i < 200000; ++i) {
    const u64 a = source.next(), d = source.next();
    if (d < 2) continue;
    const u64 q = value_of(make(a) / make(d)), r = value_of(make(a) % make(d));
    ASSERT_LT(r, d) << a << " % " << d;
    ASSERT_EQ(q * d + r, a) << a << " / " << d;
  }
}

TEST(NumberMultiplyDivide, DocumentedEdgeCases) {
  const u64 two32 = 1ull << 32, two63 = 1ull << 63;
  EXPECT_EQ(value_of(make(two32) * make(two32)), kMax);
  EXPECT_EQ(value_of(make(two32 - 1) * make(two32 + 1)), kMax) << "exact, not saturated";
  EXPECT_EQ(value_of(make(two63) * 2u), kMax);
  EXPECT_EQ(value_of(make(0) * make(kMax)), 0u);
  EXPECT_EQ(value_of(make(kMax) * 1u), kMax);

  VYKNB64 x = make(two32);
  x *= x;
  EXPECT_EQ(value_of(x), kMax) << "in-place square saturates";
  x = make(65536);
  x *= x;
  EXPECT_EQ(value_of(x), two32);

  ulong32 n = 0;
  n *= make(two32);
  EXPECT_EQ(n, 0u);
  n = 1;
  n *= make(two32);
  EXPECT_EQ(n, 0xFFFFFFFFu);
  n = 65536;
  n *= make(65536);
  EXPECT_EQ(n, 0xFFFFFFFFu);

  EXPECT_EQ(value_of(make(kMax) / 2u), 9223372036854775807ull);
  EXPECT_EQ(value_of(make(kMax) / 3u), 6148914691236517205ull);
  EXPECT_EQ(value_of(make(two63 + 1) / 2u), 4611686018427387904ull);
  EXPECT_EQ(value_of(make(kMax) / make(kMax - 1)), 1u);
  EXPECT_EQ(value_of(make(kMax) % 10u), 5u);
  EXPECT_EQ(value_of(make(kMax) % make(two63)), 9223372036854775807ull);
  EXPECT_EQ(value_of(make(two63) % 3u), 2u);

  // A zero divisor yields the dividend in every form; 0 / 0 is 1 only with a
  // VYKNB64 dividend.
  EXPECT_EQ(value_of(make(12) / make(0)), 12u);
  EXPECT_EQ(value_of(make(12) % 0u), 12u);
  EXPECT_EQ(value_of(ulong32(12) / make(0)), 12u);
  EXPECT_EQ(value_of(ulong32(12) % make(0)), 12u);
  EXPECT_EQ(value_of(make(0) / make(0)), 1u);
  EXPECT_EQ(value_of(make(0) % make(0)), 0u);
  EXPECT_EQ(value_of(ulong32(0) / make(0)), 0u);
  n = 12;
  n /= make(0);
  EXPECT_EQ(n, 12u);
  EXPECT_EQ(value_of(ulong32(100) / make(two32)), 0u);
  EXPECT_EQ(value_of(ulong32(100) % make(two32)), 100u);
}

TEST(NumberMultiplyDivide, DivisionLeavesTheRoundingModeAlone) {
  const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
  const int saved = std::fegetround();
  for (int mode : modes) {
    ASSERT_EQ(std::fesetround(mode), 0);
    EXPECT_EQ(value_of(make(kMax) / 3u), 6148914691236517205ull);
    EXPECT_EQ(value_of(make(kMax) % make(1000003)), kMax % 1000003);
    EXPECT_EQ(std::fegetround(), mode);
  }
  std::fesetround(saved);
}

}  // namespace
