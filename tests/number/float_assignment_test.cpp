// Assignment from float, double and long double against the independent
// model: it truncates and clamps in every rounding mode and leaves the mode
// as it was.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "support/float_reference.h"
#include "support/reference.h"

namespace {

using namespace reference;

// Doubles over the whole range: random bit patterns (every exponent, NaNs and
// infinities included) and random integers scaled near the interesting range.
std::vector<double> sample_doubles() {
  std::vector<double> values;
  std::mt19937_64 engine(9);
  for (int i = 0; i < 200000; ++i) {
    u64 bits = engine();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    values.push_back(d);
    values.push_back(std::ldexp(double(engine() >> 11), int(engine() % 80) - 60));
  }
  return values;
}

std::vector<long double> sample_extended() {
  std::vector<long double> values;
  std::mt19937_64 engine(11);
  for (int i = 0; i < 200000; ++i) {
    const long double mantissa =
        std::ldexp((long double)(engine() >> 32), 32) + (long double)(engine() & 0xFFFFFFFFu);
    values.push_back(std::ldexp(mantissa, int(engine() % 80) - 76));
    values.push_back(-std::ldexp(mantissa, int(engine() % 80) - 76));
  }
  return values;
}

TEST(NumberFloat, AssignmentTruncatesAndClampsInEveryRoundingMode) {
  const auto doubles = sample_doubles();
  const auto extended = sample_extended();
  for (int mode : kModes) {
    RoundingMode rounding(mode);
    Mismatches m;
    for (double d : doubles) {
      m.check("double", 0, 0, assign(d, 7), assigned(d, 7));
      m.check("float", 0, 0, assign(float(d), 7), assigned(float(d), 7));
    }
    for (long double x : extended) m.check("long double", 0, 0, assign(x, 7), assigned(x, 7));
    EXPECT_EQ(m.count(), 0u) << "rounding mode " << mode << "\n" << m.text();
    EXPECT_EQ(std::fegetround(), mode) << "assignment changed the rounding mode";
  }
}

}  // namespace
