// Ticks to microseconds and milliseconds: exact floor at any frequency,
// saturating, with both ways of forming the wide product.
#include <gtest/gtest.h>

#include <random>

#include "number/u64.h"
#include "timer/elapsed_time.h"

namespace {

using vykpav::number::from_u64;
using vykpav::number::to_u64;
using vykpav::timer::ticks_to_units;
using vykpav::timer::wide_product_quotient;
using vykpav::timer::wide_product_quotient_by_shifts;

constexpr std::uint64_t kMax = ~std::uint64_t{0};

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 u128;

std::uint64_t floor_scaled(std::uint64_t ticks, std::uint64_t frequency, std::uint32_t units) {
  const u128 exact = u128(ticks) * units / frequency;
  return exact > kMax ? kMax : std::uint64_t(exact);
}

TEST(ElapsedTime, WideProductDividesExactlyBothWays) {
  std::mt19937_64 engine(1);
  for (int i = 0; i < 300000; ++i) {
    std::uint64_t d = engine() >> (engine() % 64);
    if (d == 0) d = 1;
    const std::uint64_t a = engine() % d;
    const std::uint32_t m = i % 3 == 0 ? 1000000u : i % 3 == 1 ? 1000u : std::uint32_t(engine());
    const std::uint64_t want = std::uint64_t(u128(a) * m / d);
    ASSERT_EQ(wide_product_quotient_by_shifts(a, m, d), want) << a << " * " << m << " / " << d;
    ASSERT_EQ(wide_product_quotient(a, m, d), want);
  }
  EXPECT_EQ(wide_product_quotient_by_shifts(kMax - 1, 0xFFFFFFFFu, kMax), 0xFFFFFFFEu);
}

TEST(ElapsedTime, UnitsAreTheExactFloorOfTheScaledTicks) {
  std::mt19937_64 engine(2);
  const std::uint64_t frequencies[] = {
      1, 999, 1000, 32768, 1000000, 3579545, 10000000, 14318180, 1000000000, 3000000007ull, kMax};
  for (std::uint64_t frequency : frequencies) {
    for (int i = 0; i < 20000; ++i) {
      const std::uint64_t ticks = engine() >> (engine() % 64);
      for (std::uint32_t units : {1000000u, 1000u}) {
        ASSERT_EQ(to_u64(ticks_to_units(from_u64(ticks), from_u64(frequency), units)),
                  floor_scaled(ticks, frequency, units))
            << ticks << " ticks at " << frequency << " Hz, " << units << " per second";
      }
    }
  }
}
#endif

TEST(ElapsedTime, KnownFigures) {
  struct Row {
    std::uint64_t ticks, frequency;
    std::uint32_t units;
    std::uint64_t want;
  };
  const Row rows[] = {
      {10000000, 3579545, 1000000, 2793651},
      {10000000, 3579545, 1000, 2793},
      {12345678, 10000000, 1000000, 1234567},
      {kMax - 1, 10000000, 1000000, 1844674407370955161ull},
      {kMax - 1, 10000000, 1000, 1844674407370955ull},
      {kMax, 1, 1000, kMax},
      {kMax, 999999, 1000000, kMax},
      {0, 3579545, 1000000, 0},
      {1, 3, 1000000, 333333},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(to_u64(ticks_to_units(from_u64(r.ticks), from_u64(r.frequency), r.units)), r.want)
        << r.ticks << " ticks at " << r.frequency << " Hz, " << r.units << " per second";
  }
}

}  // namespace
