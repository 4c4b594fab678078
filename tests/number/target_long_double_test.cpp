// long double must be the target's own wide format: on x86 the x87 80-bit
// format, computed with the full significand; on aarch64 Linux IEEE
// quadruple precision. The long double conversions must be exact in either,
// through the shared library. Its cases need that arithmetic: label x87
// (valgrind computes long double with a double's significand).
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::VYKNB64;

#if defined(__i386__) || defined(__x86_64__)

TEST(NumberTarget, LongDoubleIsTheX87ExtendedFormat) {
  EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
  EXPECT_EQ(LDBL_MANT_DIG, 64);
  // The unit must also compute with the full significand: a precision
  // control left at 53 bits (as some runtimes set it) rounds 1 + 2^-63 to 1.
  volatile long double one = 1.0L;
  volatile long double tiny = std::ldexp(1.0L, -63);
  volatile long double sum = one + tiny;
  EXPECT_NE(sum, one) << "x87 precision control is not set to 64 bits";
}

#elif defined(__aarch64__) && defined(__linux__)

TEST(NumberTarget, LongDoubleIsIeeeQuadruplePrecision) {
  EXPECT_EQ(std::numeric_limits<long double>::digits, 113);
  EXPECT_EQ(sizeof(long double), 16u);
}

#endif

#if LDBL_MANT_DIG >= 64

// Builds the long double of x from its two 32-bit halves; each step is exact
// with a significand of 64 bits or more, and none uses the library's
// conversion.
long double exact_long_double(u64 x) {
  return std::ldexp(static_cast<long double>(u32(x >> 32)), 32) + static_cast<long double>(u32(x));
}

TEST(NumberTarget, LongDoubleConversionsAreExactBothWays) {
  Mismatches m;
  auto check = [&](u64 x) {
    const long double exact = exact_long_double(x);
    VYKNB64 v;
    v = exact;
    m.check("v = long double", x, 0, value_of(v), x);
    const long double back = static_cast<long double>(make(x));
    m.check("long double(v) == exact", x, 0, back == exact, true);
  };
  for (u64 x : boundary_values()) check(x);
  // Values above 2^63 are where a signed 64-bit load or store needs care.
  for (int bit = 0; bit < 64; ++bit) {
    check(1ull << bit);
    check((1ull << 63) | (1ull << bit));
  }
  OperandSource source(4242);
  for (int i = 0; i < 100000; ++i) check(source.next());
  EXPECT_EQ(m.count(), 0u) << m.text();
}

#endif  // LDBL_MANT_DIG >= 64

}  // namespace
