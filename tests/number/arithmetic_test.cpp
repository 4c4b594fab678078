// Comparison, bitwise, shift, addition, subtraction, increment and decrement
// against the independent reference, in all three operand forms.
#include <gtest/gtest.h>

#include <cstring>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

TEST(NumberArithmetic, CompoundAssignmentsMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 vb = make(b);
    const ulong32 b32 = ulong32(b);
    const u32 a32 = u32(a);
    VYKNB64 x;
    // clang-format off
    x = make(a); x <<= vb; m.check("v<<=v", a, b, value_of(x), shl(a, b));
    x = make(a); x <<= b32; m.check("v<<=u", a, b, value_of(x), shl(a, b32));
    x = make(a); x >>= vb; m.check("v>>=v", a, b, value_of(x), shr(a, b));
    x = make(a); x >>= b32; m.check("v>>=u", a, b, value_of(x), shr(a, b32));
    x = make(a); x += vb; m.check("v+=v", a, b, value_of(x), add(a, b));
    x = make(a); x += b32; m.check("v+=u", a, b, value_of(x), add(a, b32));
    x = make(a); x -= vb; m.check("v-=v", a, b, value_of(x), sub(a, b));
    x = make(a); x -= b32; m.check("v-=u", a, b, value_of(x), sub(a, b32));
    // clang-format on

    ulong32 n;
    // clang-format off
    n = a32; n <<= vb; m.check("u<<=v", a32, b, u32(n), word_shl(a32, b));
    n = a32; n >>= vb; m.check("u>>=v", a32, b, u32(n), word_shr(a32, b));
    n = a32; n += vb; m.check("u+=v", a32, b, u32(n), word_add(a32, b));
    n = a32; n -= vb; m.check("u-=v", a32, b, u32(n), word_sub(a32, b));
    // clang-format on
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

TEST(NumberArithmetic, CompoundAssignmentsReturnTheirLeftOperand) {
  VYKNB64 v(5);
  ulong32 n = 5;
  const VYKNB64 one(1);
  EXPECT_EQ(&(v <<= one), &v);
  EXPECT_EQ(&(v >>= 1u), &v);
  EXPECT_EQ(&(v += one), &v);
  EXPECT_EQ(&(v -= 1u), &v);
  EXPECT_EQ(&(n <<= one), &n);
  EXPECT_EQ(&(n >>= one), &n);
  EXPECT_EQ(&(n += one), &n);
  EXPECT_EQ(&(n -= one), &n);
  EXPECT_EQ(&++v, &v);
  EXPECT_EQ(&--v, &v);
}

TEST(NumberArithmetic, BitwiseAndShiftMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 va = make(a), vb = make(b);
    const ulong32 a32 = ulong32(a), b32 = ulong32(b);
    m.check("v|v", a, b, value_of(va | vb), a | b);
    m.check("v|u", a, b, value_of(va | b32), a | u64(u32(b)));
    m.check("u|v", a, b, value_of(a32 | vb), u64(u32(a)) | b);
    m.check("v^v", a, b, value_of(va ^ vb), a ^ b);
    m.check("v^u", a, b, value_of(va ^ b32), a ^ u64(u32(b)));
    m.check("u^v", a, b, value_of(a32 ^ vb), u64(u32(a)) ^ b);
    m.check("v&v", a, b, value_of(va & vb), a & b);
    m.check("v&u", a, b, value_of(va & b32), a & u64(u32(b)));
    m.check("u&v", a, b, value_of(a32 & vb), u64(u32(a)) & b);
    m.check("v<<v", a, b, value_of(va << vb), shl(a, b));
    m.check("v<<u", a, b, value_of(va << b32), shl(a, u32(b)));
    m.check("u<<v", a, b, value_of(a32 << vb), shl(u32(a), b));
    m.check("v>>v", a, b, value_of(va >> vb), shr(a, b));
    m.check("v>>u", a, b, value_of(va >> b32), shr(a, u32(b)));
    m.check("u>>v", a, b, value_of(a32 >> vb), shr(u32(a), b));
    VYKNB64 c = va;
    m.check("~v", a, b, value_of(~c), ~a);
    m.check("~ leaves its operand", a, b, value_of(c), a);
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

TEST(NumberArithmetic, ComparisonsMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 va = make(a), vb = make(b);
    const ulong32 a32 = ulong32(a), b32 = ulong32(b);
    const u64 bw = u32(b), aw = u32(a);
    m.check("v==v", a, b, va == vb, a == b);
    m.check("v!=v", a, b, va != vb, a != b);
    m.check("v<v", a, b, va < vb, a < b);
    m.check("v<=v", a, b, va <= vb, a <= b);
    m.check("v>v", a, b, va > vb, a > b);
    m.check("v>=v", a, b, va >= vb, a >= b);
    m.check("v==u", a, b, va == b32, a == bw);
    m.check("v!=u", a, b, va != b32, a != bw);
    m.check("v<u", a, b, va < b32, a < bw);
    m.check("v<=u", a, b, va <= b32, a <= bw);
    m.check("v>u", a, b, va > b32, a > bw);
    m.check("v>=u", a, b, va >= b32, a >= bw);
    m.check("u==v", a, b, a32 == vb, aw == b);
    m.check("u!=v", a, b, a32 != vb, aw != b);
    m.check("u<v", a, b, a32 < vb, aw < b);
    m.check("u<=v", a, b, a32 <= vb, aw <= b);
    m.check("u>v", a, b, a32 > vb, aw > b);
    m.check("u>=v", a, b, a32 >= vb, aw >= b);
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

TEST(NumberArithmetic, AdditionSubtractionIncrementMatchReference) {
  Mismatches m;
  for_each_pair([&](u64 a, u64 b) {
    const VYKNB64 va = make(a), vb = make(b);
    const ulong32 a32 = ulong32(a), b32 = ulong32(b);
    m.check("v+v", a, b, value_of(va + vb), add(a, b));
    m.check("v+u", a, b, value_of(va + b32), add(a, u32(b)));
    m.check("u+v", a, b, value_of(a32 + vb), add(u32(a), b));
    m.check("v-v", a, b, value_of(va - vb), sub(a, b));
    m.check("v-u", a, b, value_of(va - b32), sub(a, u32(b)));
    m.check("u-v", a, b, value_of(a32 - vb), sub(u32(a), b));
    VYKNB64 x = va;
    m.check("++v", a, b, value_of(++x), add(a, 1));
    x = va;
    m.check("--v", a, b, value_of(--x), sub(a, 1));
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

// Named cases whose exact outcome is part of the type's contract.
TEST(NumberArithmetic, DocumentedEdgeCases) {
  const VYKNB64 max = make(kMax);
  VYKNB64 x = max;
  EXPECT_EQ(value_of(++x), kMax) << "++ on the maximum stays at the maximum";
  EXPECT_EQ(value_of(max + max), kMax);
  x = VYKNB64(0u);
  EXPECT_EQ(value_of(--x), 0u) << "-- on 0 stays 0";
  EXPECT_EQ(value_of(VYKNB64(5) - 7u), 0u);

  VYKNB64 carry = VYKNB64(0xFFFFFFFFu) + 1u;
  EXPECT_EQ(carry.high, 1u);
  EXPECT_EQ(carry.low, 0u);
  EXPECT_EQ(value_of(--carry), 0xFFFFFFFFull);

  ulong32 n = 0xFFFFFFFFu;
  n += VYKNB64(1u);
  EXPECT_EQ(n, 0xFFFFFFFFu);
  n = 0;
  n += make(1ull << 32);
  EXPECT_EQ(n, 0xFFFFFFFFu);
  n = 7;
  n -= make(1ull << 32);
  EXPECT_EQ(n, 0u);

  EXPECT_EQ(value_of(VYKNB64(1) << 64u), 1u) << "counts are taken modulo 64";
  EXPECT_EQ(value_of(VYKNB64(1) << 65u), 2u);
  EXPECT_EQ(value_of(VYKNB64(1) << make((1ull << 32) + 3)), 8u)
      << "high word of a count is ignored";
  n = 1;
  n <<= VYKNB64(31u);
  EXPECT_EQ(n, 0x80000000u);
  n = 1;
  n <<= VYKNB64(40u);
  EXPECT_EQ(n, 0u);
  n = 1;
  n <<= VYKNB64(64u);
  EXPECT_EQ(n, 1u);
  EXPECT_EQ(value_of(ulong32(3) << VYKNB64(40u)), 3ull << 40) << "word << v has a 64-bit result";

  EXPECT_TRUE(0xFFFFFFFFu < make(1ull << 32));
  EXPECT_FALSE(make(1ull << 32) == 0xFFFFFFFFu);
  EXPECT_EQ(value_of(max & 0xFFu), 0xFFu);
  VYKNB64 zero;
  EXPECT_EQ(value_of(~zero), kMax);
  EXPECT_EQ(value_of(zero), 0u);
}

TEST(NumberArithmetic, LayoutIsALittleEndianUint64) {
  const u64 x = 0x0123456789ABCDEFull;
  VYKNB64 v = make(x);
  unsigned char bytes[8];
  std::memcpy(bytes, &v, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], (x >> (8 * i)) & 0xFF) << "byte " << i;
}

TEST(NumberArithmetic, IntegerConstructionAndAssignmentKeepTheFullValue) {
  VYKNB64 v = 0x123456789ull;
  EXPECT_EQ(value_of(v), 0x123456789ull);
  v = -5;
  EXPECT_EQ(value_of(v), 0u) << "a negative integer gives 0";
  v = 42;
  EXPECT_EQ(value_of(v), 42u);
  EXPECT_EQ(value_of(VYKNB64(-1LL)), 0u);
}

}  // namespace
