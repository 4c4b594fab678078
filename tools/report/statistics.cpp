#include "tools/report/statistics.h"

#include <algorithm>
#include <cmath>

namespace vykpav::report {

Summary summarize(const std::uint64_t* values, std::size_t count) {
  const std::size_t middle = count / 2;
  Summary s;
  s.runs = count;
  s.min = values[0];
  s.max = values[count - 1];
  s.median = count % 2 == 1 ? static_cast<double>(values[middle])
                            : static_cast<double>((static_cast<long double>(values[middle - 1]) +
                                                   static_cast<long double>(values[middle])) /
                                                  2);
  // The sum in two words, exact for any count of any values.
  std::uint64_t low = 0, high = 0;
  for (std::size_t i = 0; i < count; ++i) {
    low += values[i];
    if (low < values[i]) ++high;
  }
  const long double sum =
      static_cast<long double>(high) * 18446744073709551616.0L + static_cast<long double>(low);
  s.mean = static_cast<double>(sum / static_cast<long double>(count));
  return s;
}

double exact_two_sided(const std::vector<double>& upper_tail, std::size_t u1, std::size_t n1,
                       std::size_t n2) {
  const std::size_t larger = std::max(u1, n1 * n2 - u1);
  return std::min(1.0, 2 * upper_tail[larger]);
}

double normal_two_sided(double u1, std::size_t n1, std::size_t n2, double tie_term,
                        bool continuity) {
  const double m = static_cast<double>(n1), n = static_cast<double>(n2), total = m + n;
  const double variance = m * n / 12 * ((total + 1) - tie_term / (total * (total - 1)));
  if (!(variance > 0)) return 1.0;  // every value the same: nothing tells the sides apart
  double distance = std::fabs(u1 - m * n / 2);
  if (continuity) distance = std::max(0.0, distance - 0.5);
  const double z = distance / std::sqrt(variance);
  return std::min(1.0, std::erfc(z / std::sqrt(2.0)));
}

const std::vector<double>& MannWhitney::upper_tail(std::size_t n1, std::size_t n2) {
  const std::size_t m = std::min(n1, n2), n = std::max(n1, n2);
  std::vector<double>& tail = tails_[{m, n}];
  if (!tail.empty()) return tail;
  // The orderings of m values of one sample and n of the other in which U
  // is u are the coefficients of q^u in the Gaussian binomial coefficient
  // [m + n choose m], the product over i = 1 .. m of (1 - q^(n + i)) /
  // (1 - q^i): multiplied and divided in turn, truncated past q^(m n),
  // which leaves the lower coefficients as they are. Counts stay below 2^53,
  // so doubles hold them exactly.
  const std::size_t width = m * n + 1;
  std::vector<double> counts(width, 0.0);
  counts[0] = 1;
  for (std::size_t i = 1; i <= m; ++i) {
    for (std::size_t u = width; u-- > n + i;) counts[u] -= counts[u - n - i];
    for (std::size_t u = i; u < width; ++u) counts[u] += counts[u - i];
  }
  double total = 0;
  for (std::size_t u = 0; u < width; ++u) total += counts[u];
  tail.assign(width, 0.0);
  double above = 0;
  for (std::size_t u = width; u-- > 0;) {
    above += counts[u];
    tail[u] = above / total;
  }
  return tail;
}

UTest MannWhitney::test(const std::uint64_t* first, std::size_t n1, const std::uint64_t* second,
                        std::size_t n2) {
  // Ranks of the pooled values, ties taking the mean of their ranks, in one
  // walk of both sorted samples.
  double rank_sum = 0, tie_term = 0;
  bool ties = false;
  std::size_t i = 0, j = 0, below = 0;
  while (i < n1 || j < n2) {
    const std::uint64_t v = j == n2 || (i < n1 && first[i] <= second[j]) ? first[i] : second[j];
    std::size_t in_first = 0, in_second = 0;
    while (i < n1 && first[i] == v) ++i, ++in_first;
    while (j < n2 && second[j] == v) ++j, ++in_second;
    const double t = static_cast<double>(in_first + in_second);
    rank_sum += static_cast<double>(in_first) * (static_cast<double>(below) + (t + 1) / 2);
    tie_term += t * t * t - t;
    ties = ties || t > 1;
    below += in_first + in_second;
  }
  const double m = static_cast<double>(n1);
  const double u1 = rank_sum - m * (m + 1) / 2;
  UTest result;
  result.u_first = u1;
  result.exact = !ties && n1 <= kLargestExactSample && n2 <= kLargestExactSample;
  result.p_value = result.exact
                       ? exact_two_sided(upper_tail(n1, n2), static_cast<std::size_t>(u1), n1, n2)
                       : normal_two_sided(u1, n1, n2, tie_term);
  return result;
}

double MannWhitney::smallest_p_value(std::size_t n1, std::size_t n2) {
  if (n1 <= kLargestExactSample && n2 <= kLargestExactSample)
    return exact_two_sided(upper_tail(n1, n2), n1 * n2, n1, n2);
  return normal_two_sided(static_cast<double>(n1 * n2), n1, n2, 0);
}

}  // namespace vykpav::report
