// The number tests only mean what they say on the target the build was
// configured for: the cross build must really produce 32-bit Windows code
// (ulong32 is unsigned long, long double is the x87 80-bit format), and the
// long double conversions must be exact there, through the shared library.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

// The target as the compiler sees it, spelled as CMake names it.
std::string compiled_for() {
#if defined(_WIN32) && defined(__i386__)
  return "Windows/x86";
#elif defined(_WIN32) && defined(__x86_64__)
  return "Windows/AMD64";
#elif defined(__linux__) && defined(__x86_64__)
  return "Linux/x86_64";
#elif defined(__linux__) && defined(__i386__)
  return "Linux/i686";
#else
  return "";
#endif
}

TEST(NumberTarget, CompiledForTheConfiguredTarget) {
  const std::string configured = VYKPAV_CONFIGURED_TARGET;
  if (compiled_for().empty()) GTEST_SKIP() << "no known macros for " << configured;
  EXPECT_EQ(compiled_for(), configured);
}

TEST(NumberTarget, WordAndPointerWidthsAreThoseOfTheTarget) {
#if defined(_WIN32)
  EXPECT_TRUE((std::is_same<ulong32, unsigned long>::value));
#else
  EXPECT_TRUE((std::is_same<ulong32, std::uint32_t>::value));
#endif
  EXPECT_EQ(sizeof(ulong32) * CHAR_BIT, 32u);
#if defined(__i386__)
  EXPECT_EQ(sizeof(void*), 4u);
#elif defined(__x86_64__)
  EXPECT_EQ(sizeof(void*), 8u);
#endif
}

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

// Builds the long double of x from its two 32-bit halves; each step is exact
// with a 64-bit significand, and none uses the library's conversion.
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

#endif  // x86

}  // namespace
