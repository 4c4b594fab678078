#include "tools/report/comparison.h"

#include "tools/report/summary.h"

namespace vykpav::report {

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
  before.group();
  after.group();
  ComparisonResult result;
  result.before_reports = before.reports();
  result.after_reports = after.reports();
  result.alpha = alpha;
  std::vector<bool> matched(after.areas(), false);
  MannWhitney test;
  for (std::size_t i = 0; i < before.areas(); ++i) {
    const AreaRuns old_runs = before.runs(i);
    ComparedArea area{before.name(i),      summarize(old_runs.values, old_runs.count), {}, {}, {},
                      Verdict::kOnlyBefore};
    const std::size_t k = after.find(before.name(i));
    if (k != after.areas()) {
      matched[k] = true;
      const AreaRuns new_runs = after.runs(k);
      area.after = summarize(new_runs.values, new_runs.count);
      if (area.before->median > 0) area.ratio = area.after->median / area.before->median;
      const UTest u = test.test(old_runs.values, old_runs.count, new_runs.values, new_runs.count);
      area.p_value = u.p_value;
      if (!(test.smallest_p_value(old_runs.count, new_runs.count) < alpha)) {
        area.verdict = Verdict::kTooFewRuns;
      } else if (u.p_value < alpha) {
        // Before's values ranking above after's: after is the faster.
        const double middle = static_cast<double>(old_runs.count * new_runs.count) / 2;
        area.verdict = u.u_first > middle ? Verdict::kFaster : Verdict::kSlower;
      } else {
        area.verdict = Verdict::kNoChange;
      }
    }
    result.areas.push_back(area);
  }
  for (std::size_t k = 0; k < after.areas(); ++k) {
    if (matched[k]) continue;
    const AreaRuns new_runs = after.runs(k);
    result.areas.push_back({after.name(k),
                            {},
                            summarize(new_runs.values, new_runs.count),
                            {},
                            {},
                            Verdict::kOnlyAfter});
  }
  by_median(result.areas,
            [](const ComparedArea& a) { return a.after ? a.after->median : a.before->median; });
  return result;
}

}  // namespace vykpav::report
