// The figures of an area and the Mann-Whitney U test: exact p-values against
// an enumeration of every split of the pooled ranks, the normal
// approximation against values SciPy's documentation quotes and values
// worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/report/statistics.h"

namespace {

using vykpav::report::MannWhitney;
using vykpav::report::normal_two_sided;
using vykpav::report::summarize;
using vykpav::report::Summary;
using vykpav::report::UTest;

using Values = std::vector<std::uint64_t>;

UTest test_of(Values a, Values b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  MannWhitney test;
  return test.test(a.data(), a.size(), b.data(), b.size());
}

TEST(Summarize, GivesRunsMedianExtremesAndMean) {
  struct Row {
    Values values;  // ascending
    double median;
    double mean;
  };
  const std::uint64_t max = ~std::uint64_t{0};
  const Row rows[] = {
      {{7}, 7, 7},
      {{1, 2}, 1.5, 1.5},
      {{1, 2, 10}, 2, 13.0 / 3},
      {{0, 0, 5, 9}, 2.5, 3.5},
      {{max - 1, max}, 18446744073709551614.5, 18446744073709551614.5},
      {{max, max, max, max, max}, 18446744073709551615.0, 18446744073709551615.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.values));
    const Summary s = summarize(row.values.data(), row.values.size());
    EXPECT_EQ(s.runs, row.values.size());
    EXPECT_DOUBLE_EQ(s.median, row.median);
    EXPECT_EQ(s.min, row.values.front());
    EXPECT_EQ(s.max, row.values.back());
    EXPECT_DOUBLE_EQ(s.mean, row.mean);
  }
}

// The two-sided p-value of a split without ties, by counting every way to
// choose n1 of the pooled ranks: the share of them whose U lies at least as
// far from n1 n2 / 2 as the observed one.
double enumerated_p(const std::vector<int>& first_ranks, int pooled) {
  const int n1 = static_cast<int>(first_ranks.size()), n2 = pooled - n1;
  const auto u_of = [&](std::uint32_t mask) {
    long u = 0, seen_second = 0;
    for (int r = 0; r < pooled; ++r) {
      if ((mask >> r) & 1u) {
        u += seen_second;  // this first-sample value beats every second one below it
      } else {
        ++seen_second;
      }
    }
    return u;
  };
  std::uint32_t observed = 0;
  for (const int r : first_ranks) observed |= 1u << r;
  const double middle = n1 * n2 / 2.0;
  const double distance = std::fabs(static_cast<double>(u_of(observed)) - middle);
  long as_far = 0, splits = 0;
  for (std::uint32_t mask = 0; mask < (1u << pooled); ++mask) {
    if (__builtin_popcount(mask) != n1) continue;
    ++splits;
    if (std::fabs(static_cast<double>(u_of(mask)) - middle) >= distance - 1e-9) ++as_far;
  }
  return static_cast<double>(as_far) / static_cast<double>(splits);
}

TEST(MannWhitneyExact, AgreesWithEnumeratingEverySplit) {
  std::mt19937 random(12);
  struct Size {
    int n1, n2;
  };
  std::vector<Size> sizes;
  for (int n1 = 1; n1 <= 7; ++n1)
    for (int n2 = 1; n2 <= 7; ++n2) sizes.push_back({n1, n2});
  sizes.push_back({10, 10});
  sizes.push_back({4, 12});
  for (const Size size : sizes) {
    const int pooled = size.n1 + size.n2;
    for (int trial = 0; trial < 6; ++trial) {
      std::vector<int> ranks(static_cast<std::size_t>(pooled));
      for (int r = 0; r < pooled; ++r) ranks[static_cast<std::size_t>(r)] = r;
      std::shuffle(ranks.begin(), ranks.end(), random);
      const std::vector<int> first(ranks.begin(), ranks.begin() + size.n1);
      Values a, b;  // distinct values in the order of their ranks
      for (int r = 0; r < pooled; ++r) {
        const bool in_first = std::find(first.begin(), first.end(), r) != first.end();
        (in_first ? a : b).push_back(1000 + 7u * static_cast<std::uint64_t>(r));
      }
      SCOPED_TRACE(std::to_string(size.n1) + " against " + std::to_string(size.n2) +
                   ", first sample " + ::testing::PrintToString(a));
      const UTest u = test_of(a, b);
      EXPECT_TRUE(u.exact);
      EXPECT_NEAR(u.p_value, enumerated_p(first, pooled), 1e-12);
    }
  }
}

TEST(MannWhitneyExact, WhollySeparateSamplesGiveTwoOverTheSplits) {
  struct Row {
    std::size_t n1, n2;
    double p;  // 2 / C(n1 + n2, n1)
  };
  const Row rows[] = {
      {3, 3, 0.1}, {4, 4, 2.0 / 70}, {3, 4, 2.0 / 35}, {20, 20, 2.0 / 137846528820.0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.n1) + " against " + std::to_string(row.n2));
    Values a, b;
    for (std::size_t i = 0; i < row.n1; ++i) a.push_back(100 + i);
    for (std::size_t i = 0; i < row.n2; ++i) b.push_back(200 + i);
    const UTest u = test_of(a, b);
    EXPECT_TRUE(u.exact);
    EXPECT_NEAR(u.p_value / row.p, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(u.u_first, 0.0);
    MannWhitney test;
    EXPECT_NEAR(test.smallest_p_value(row.n1, row.n2) / row.p, 1.0, 1e-12);
  }
}

// SciPy's mannwhitneyu documentation: diagnosis ages of five males and four
// females, U1 = 17; exact p 0.1111111111111111, asymptotic (with continuity
// correction) 0.11134688653314041, without it 0.0864107329737.
TEST(MannWhitney, MatchesTheValuesSciPyDocuments) {
  const UTest u = test_of({19, 22, 16, 29, 24}, {20, 11, 17, 12});
  EXPECT_DOUBLE_EQ(u.u_first, 17.0);
  EXPECT_TRUE(u.exact);
  EXPECT_NEAR(u.p_value, 0.1111111111111111, 1e-15);
  EXPECT_NEAR(normal_two_sided(17, 5, 4, 0), 0.11134688653314041, 1e-15);
  EXPECT_NEAR(normal_two_sided(17, 5, 4, 0, false), 0.0864107329737, 1e-12);
}

// Worked by hand. Ties: before 1 2 2 3, after 2 3 3 4 5. Pooled ranks 1;
// 3 3 3 (the three 2s); 6 6 6 (the three 3s); 8; 9. R1 = 1 + 3 + 3 + 6 = 13,
// U1 = 13 - 4 * 5 / 2 = 3, mean 10; tie term 2 * (27 - 3) = 48; variance
// 20 / 12 * (10 - 48 / 72) = 140 / 9; z = (7 - 1/2) / sqrt(140 / 9)
// = 19.5 / sqrt(140) = 1.6480507967; p = erfc(z / sqrt 2) = 0.0993422478535.
// Sizes past 20: 21 against 21 wholly apart, z = (220.5 - 0.5) / sqrt(21 *
// 21 * 43 / 12), p = 3.1253999984e-08; 21 against 1, p = 0.114974923693.
TEST(MannWhitneyNormal, MatchesValuesWorkedByHand) {
  const UTest ties = test_of({1, 2, 2, 3}, {2, 3, 3, 4, 5});
  EXPECT_FALSE(ties.exact);
  EXPECT_DOUBLE_EQ(ties.u_first, 3.0);
  EXPECT_NEAR(ties.p_value, 0.09934224785346527, 1e-14);

  Values low, high;
  for (std::uint64_t i = 0; i < 21; ++i) low.push_back(i), high.push_back(100 + i);
  const UTest large = test_of(low, high);
  EXPECT_FALSE(large.exact);
  EXPECT_NEAR(large.p_value / 3.125399998400882e-08, 1.0, 1e-9);
  MannWhitney test;
  EXPECT_NEAR(test.smallest_p_value(21, 21) / 3.125399998400882e-08, 1.0, 1e-9);
  EXPECT_NEAR(test.smallest_p_value(21, 1), 0.11497492369308004, 1e-12);
}

TEST(MannWhitneyNormal, EqualValuesEverywhereGiveOne) {
  const UTest u = test_of({5, 5, 5}, {5, 5});
  EXPECT_FALSE(u.exact);
  EXPECT_EQ(u.p_value, 1.0);
}

}  // namespace
