// The conversions back from VYKNB64 and the exact long double results,
// against the independent models, under every rounding mode and x87
// precision control. Its cases need 80-bit long double arithmetic: label
// x87 (valgrind computes long double with a double's significand).
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <random>

#include "support/float_reference.h"
#include "support/reference.h"

namespace {

using namespace reference;
using Selvorin::VYKNB64;

constexpr bool kExtendedIsExact = std::numeric_limits<long double>::digits >= 64;

TEST(NumberFloat, ConversionsBackRoundOnceInTheCurrentMode) {
  OperandSource source(5);
  std::vector<u64> values = boundary_values();
  for (int i = 0; i < 200000; ++i) values.push_back(source.next());
  // Exact ties and near ties at every bit position: a one followed by zeros,
  // and a zero followed by ones (which a double rounding would turn into a
  // tie).
  std::mt19937_64 engine(3);
  for (int p = 1; p < 64; ++p) {
    for (int i = 0; i < 200; ++i) {
      const u64 x = engine() | (1ull << 63) >> (engine() % 40);
      values.push_back((x | (1ull << p)) & ~((1ull << p) - 1));
      values.push_back((x & ~(1ull << p)) | ((1ull << p) - 1));
    }
  }
  for (int mode : kModes) {
    RoundingMode rounding(mode);
    Mismatches m;
    for (u64 u : values) {
      const VYKNB64 v = make(u);
      m.check("float", u, 0, static_cast<long double>(static_cast<float>(v)), rounded(u, 24, mode));
      m.check("double", u, 0, static_cast<long double>(static_cast<double>(v)),
              rounded(u, 53, mode));
      if (kExtendedIsExact)
        m.check("long double", u, 0, static_cast<long double>(v), rounded(u, 64, mode));
    }
    EXPECT_EQ(m.count(), 0u) << "rounding mode " << mode << "\n" << m.text();
    EXPECT_EQ(std::fegetround(), mode);
  }
}

TEST(NumberFloat, ExtendedRoundTripGivesBackEveryValue) {
  if (!kExtendedIsExact) GTEST_SKIP() << "long double has fewer than 64 significand bits here";
  Mismatches m;
  for_each_pair([&](u64 a, u64) {
    VYKNB64 v;
    v = static_cast<long double>(make(a));
    m.check("round trip", a, 0, value_of(v), a);
  });
  EXPECT_EQ(m.count(), 0u) << m.text();
}

#if defined(__i386__) || defined(__x86_64__)
// Lowers the x87 precision control (bits 8-9 of its control word) for its
// lifetime, as the runtimes of some Windows hosts do.
class X87Precision {
 public:
  explicit X87Precision(unsigned short field) {
    __asm__ volatile("fnstcw %0" : "=m"(saved_));
    const unsigned short lowered = static_cast<unsigned short>((saved_ & ~0x300u) | (field << 8));
    __asm__ volatile("fldcw %0" : : "m"(lowered));
  }
  ~X87Precision() { __asm__ volatile("fldcw %0" : : "m"(saved_)); }

 private:
  unsigned short saved_ = 0;
};

TEST(NumberFloat, ResultsDoNotDependOnTheX87PrecisionControl) {
  if (!kExtendedIsExact) GTEST_SKIP();
  struct Expected {
    u64 value;
    long double exact, as_double, as_float;
  };
  // Inputs and expectations are made before the precision is lowered.
  std::vector<Expected> cases;
  OperandSource source(8);
  std::vector<u64> values = boundary_values();
  for (int i = 0; i < 20000; ++i) values.push_back(source.next() | (1ull << 63) >> (i % 64));
  for (u64 u : values)
    cases.push_back({u, rounded(u, 64, FE_TONEAREST), rounded(u, 53, FE_TONEAREST),
                     rounded(u, 24, FE_TONEAREST)});
  RoundingMode nearest(FE_TONEAREST);
  const unsigned short fields[] = {0, 2};  // 24-bit and 53-bit significands
  for (unsigned short field : fields) {
    X87Precision lowered(field);
    Mismatches m;
    for (const Expected& e : cases) {
      VYKNB64 v;
      v = e.exact;
      m.check("assign", e.value, field, value_of(v), e.value);
      m.check("long double", e.value, field, static_cast<long double>(v), e.exact);
      m.check("double", e.value, field, static_cast<long double>(static_cast<double>(v)),
              e.as_double);
      m.check("float", e.value, field, static_cast<long double>(static_cast<float>(v)), e.as_float);
    }
    EXPECT_EQ(m.count(), 0u) << "precision control field " << field << "\n" << m.text();
  }
}
#endif

TEST(NumberFloat, DocumentedEdgeCases) {
  const long double two63 = std::ldexp(1.0L, 63), two64 = std::ldexp(1.0L, 64);
  struct Row {
    const char* name;
    long double x;
    u64 want;
  };
  const Row extended_rows[] = {
      {"0.0", 0.0L, 0},
      {"-0.0", -0.0L, 0},
      {"-1.5", -1.5L, 0},
      {"-inf", -std::numeric_limits<long double>::infinity(), 0},
      {"0.999", 0.999L, 0},
      {"1.999", 1.999L, 1},
      {"2^63 - 1", two63 - 1, 9223372036854775807ull},
      {"2^63 - 0.5", two63 - 0.5L, 9223372036854775807ull},
      {"2^64 - 1", two64 - 1, kMax},
      {"+inf", std::numeric_limits<long double>::infinity(), kMax},
  };
  if (kExtendedIsExact) {
    for (const Row& row : extended_rows) {
      SCOPED_TRACE(row.name);
      EXPECT_EQ(assign(row.x, 99), row.want);
    }
  }
  EXPECT_EQ(assign(std::nan(""), 7), 7u) << "a NaN leaves the value";
  EXPECT_EQ(assign(std::nanf(""), 7), 7u);
  EXPECT_EQ(assign(std::ldexp(1.0, 63), 0), 1ull << 63);
  EXPECT_EQ(assign(std::nextafter(std::ldexp(1.0, 64), 0.0), 0), kMax - 2047);
  EXPECT_EQ(assign(std::nextafter(std::ldexp(1.0f, 64), 0.0f), 0), kMax - ((1ull << 40) - 1));
  EXPECT_EQ(assign(std::ldexp(1.0, 64), 0), kMax);
  {
    RoundingMode nearest(FE_TONEAREST);
    EXPECT_EQ(assign(2.7, 0), 2u) << "truncates even when rounding to nearest";
  }
  if (kExtendedIsExact) {
    EXPECT_EQ(static_cast<long double>(make(kMax)), two64 - 1);
  }
  EXPECT_EQ(static_cast<double>(make(kMax)), std::ldexp(1.0, 64));
  EXPECT_EQ(static_cast<double>(make((1ull << 53) + 1)), std::ldexp(1.0, 53));
  EXPECT_EQ(static_cast<float>(make((1u << 24) + 1)), std::ldexp(1.0f, 24));
}

}  // namespace
