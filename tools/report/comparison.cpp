#include "tools/report/comparison.h"

#include <algorithm>

namespace vykpav::report {

namespace {

// Ascending median, then name; a name's bytes compare as unsigned values.
template <typename Area, typename Median>
void order(LargeVector<Area>& areas, Median median) {
  const auto less = [&](const Area& a, const Area& b) {
    const double x = median(a), y = median(b);
    if (x != y) return x < y;
    return a.name < b.name;
  };
  // One report's areas come in time order already: checking is one pass.
  if (!std::is_sorted(areas.begin(), areas.end(), less))
    std::sort(areas.begin(), areas.end(), less);
}

}  // namespace

SummaryResult summarize(RunTable& table) {
  SummaryResult result;
  result.reports = table.reports();
  table.group();
  SummarizedAreas& areas = result.areas;
  areas.table_ = &table;
  areas.order_.resize(table.areas());
  for (std::uint32_t k = 0; k < table.areas(); ++k) areas.order_[k] = k;
  // Ascending median, then name: the median of sorted values is at hand.
  const auto median = [&table](std::uint32_t k) {
    const AreaRuns runs = table.run(k);
    const std::size_t middle = runs.count / 2;
    return runs.count % 2 == 1 ? static_cast<double>(runs.values[middle])
                               : (static_cast<long double>(runs.values[middle - 1]) +
                                  static_cast<long double>(runs.values[middle])) /
                                     2;
  };
  const auto less = [&](std::uint32_t a, std::uint32_t b) {
    const long double x = median(a), y = median(b);
    if (x != y) return x < y;
    return table.index().name(a) < table.index().name(b);
  };
  // One report's areas come in time order already: checking is one pass.
  if (!std::is_sorted(areas.order_.begin(), areas.order_.end(), less))
    std::sort(areas.order_.begin(), areas.order_.end(), less);
  return result;
}

std::string_view verdict_text(Verdict verdict) noexcept {
  switch (verdict) {
    case Verdict::kFaster: return "faster";
    case Verdict::kSlower: return "slower";
    case Verdict::kNoChange: return "no change";
    case Verdict::kTooFewRuns: return "too few runs";
    case Verdict::kOnlyBefore: return "only before";
    case Verdict::kOnlyAfter: return "only after";
  }
  return "";
}

ComparisonResult compare(RunTable& before, RunTable& after, double alpha) {
  ComparisonResult result;
  result.before_reports = before.reports();
  result.after_reports = after.reports();
  before.group();
  after.group();
  std::vector<bool> matched(after.areas(), false);
  MannWhitney test;
  result.areas.reserve(before.areas() + after.areas());
  for (std::uint32_t i = 0; i < before.areas(); ++i) {
    const AreaRuns old_area = before.run(i);
    ComparedArea area{old_area.name,       summarize(old_area.values, old_area.count), {}, {}, {},
                      Verdict::kOnlyBefore};
    const std::uint32_t k = after.index().find(old_area.name);
    if (k != AreaIndex::kNone) {
      matched[k] = true;
      const AreaRuns new_area = after.run(k);
      area.after = summarize(new_area.values, new_area.count);
      if (area.before->median > 0) area.ratio = area.after->median / area.before->median;
      const UTest u = test.test(old_area.values, old_area.count, new_area.values, new_area.count);
      area.p_value = u.p_value;
      if (!(test.smallest_p_value(old_area.count, new_area.count) < alpha)) {
        area.verdict = Verdict::kTooFewRuns;
      } else if (u.p_value < alpha) {
        // Before's values ranking above after's: after is the faster.
        const double middle = static_cast<double>(old_area.count * new_area.count) / 2;
        area.verdict = u.u_first > middle ? Verdict::kFaster : Verdict::kSlower;
      } else {
        area.verdict = Verdict::kNoChange;
      }
    }
    result.areas.push_back(area);
  }
  for (std::uint32_t k = 0; k < after.areas(); ++k) {
    if (matched[k]) continue;
    const AreaRuns new_area = after.run(k);
    result.areas.push_back({new_area.name,
                            {},
                            summarize(new_area.values, new_area.count),
                            {},
                            {},
                            Verdict::kOnlyAfter});
  }
  order(result.areas,
        [](const ComparedArea& a) { return a.after ? a.after->median : a.before->median; });
  return result;
}

}  // namespace vykpav::report
