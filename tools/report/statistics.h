// The figures of one area over its runs, and the two-sided Mann-Whitney U
// test between two sets of runs, as Google Benchmark's compare.py applies
// SciPy's mannwhitneyu to its repetitions.
#ifndef VYKPAV_TOOLS_REPORT_STATISTICS_H
#define VYKPAV_TOOLS_REPORT_STATISTICS_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace vykpav::report {

struct Summary {
  std::size_t runs;
  double median;  // of an even count, the mean of the middle two
  std::uint64_t min, max;
  double mean;
};

// `values` ascending, at least one.
Summary summarize(const std::uint64_t* values, std::size_t count);

struct UTest {
  double p_value;  // two-sided
  // The U statistic of the first sample: the pairs in which its value is the
  // larger, ties counting one half. Above n1 * n2 / 2 when the first
  // sample's values tend to be the larger.
  double u_first;
  bool exact;
};

// The largest sample size on both sides for which, without ties, the
// p-value comes from the exact distribution of U.
inline constexpr std::size_t kLargestExactSample = 20;

class MannWhitney {
 public:
  // Two-sided test of two samples, each ascending and not empty. Exact when
  // both have at most kLargestExactSample values and no value occurs twice
  // in the two together; otherwise the normal approximation with the tie
  // correction and the continuity correction that SciPy documents:
  //   z = (|U1 - n1 n2 / 2| - 1/2) / sqrt(n1 n2 / 12 * (n + 1 - sum(t^3 - t) / (n (n - 1))))
  //   p = 2 * (1 - Phi(z)), at most 1.
  // When every value is the same, the variance is 0 and p is 1.
  UTest test(const std::uint64_t* first, std::size_t n1, const std::uint64_t* second,
             std::size_t n2);

  // The smallest p-value that samples of these sizes can give: both sides
  // wholly apart, without ties.
  double smallest_p_value(std::size_t n1, std::size_t n2);

 private:
  // P(U >= u) for u = 0 .. n1 n2 under the null hypothesis, sizes in
  // ascending order; kept, since most areas have the same run counts.
  const std::vector<double>& upper_tail(std::size_t n1, std::size_t n2);

  std::map<std::pair<std::size_t, std::size_t>, std::vector<double>> tails_;
};

// The exact two-sided p-value from P(U >= u): twice the tail beyond the
// larger of U1 and U2, at most 1.
double exact_two_sided(const std::vector<double>& upper_tail, std::size_t u1, std::size_t n1,
                       std::size_t n2);

// The normal approximation's two-sided p-value for U1.
double normal_two_sided(double u1, std::size_t n1, std::size_t n2, double tie_term,
                        bool continuity = true);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_STATISTICS_H
