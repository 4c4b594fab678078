#include "tools/report/comparison.h"

#include <algorithm>

namespace vykpav::report {

namespace {

// Ascending median, then name; a name's bytes compare as unsigned values.
template <typename Area, typename Median>
void order(std::vector<Area>& areas, Median median) {
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
  const std::vector<AreaRuns> runs = table.runs();
  result.areas.reserve(runs.size());
  for (const AreaRuns& area : runs)
    result.areas.push_back({area.name, summarize(area.values, area.count)});
  order(result.areas, [](const SummarizedArea& a) { return a.summary.median; });
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
  const std::vector<AreaRuns> old_runs = before.runs();
  const std::vector<AreaRuns> new_runs = after.runs();
  std::vector<bool> matched(new_runs.size(), false);
  MannWhitney test;
  result.areas.reserve(old_runs.size() + new_runs.size());
  for (const AreaRuns& old_area : old_runs) {
    ComparedArea area{old_area.name,       summarize(old_area.values, old_area.count), {}, {}, {},
                      Verdict::kOnlyBefore};
    const std::uint32_t k = after.index().find(old_area.name);
    if (k != AreaIndex::kNone) {
      matched[k] = true;
      const AreaRuns& new_area = new_runs[k];
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
  for (std::size_t k = 0; k < new_runs.size(); ++k) {
    if (matched[k]) continue;
    const AreaRuns& new_area = new_runs[k];
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
