// The JSON documents. Each area is one object serialised by nlohmann::json,
// one per line, so a summary of a million areas is never one tree in memory.
#include <nlohmann/json.hpp>

#include "tools/report/output_formats.h"

namespace vykpav::report {

namespace {

using Json = nlohmann::ordered_json;

Json summary_fields(const Summary& s) {
  return Json{{"runs", s.runs},
              {"median_us", s.median},
              {"min_us", s.min},
              {"max_us", s.max},
              {"mean_us", s.mean}};
}

Json optional_summary(const std::optional<Summary>& s) {
  return s ? summary_fields(*s) : Json(nullptr);
}

Json optional_number(const std::optional<double>& value) {
  return value ? Json(*value) : Json(nullptr);
}

void put(Writer& out, const Json& value) {
  out.put(value.dump(-1, ' ', false, Json::error_handler_t::replace));
}

// {"<head>": ..., "areas": [\n<area>,\n<area>\n]}
template <typename Areas, typename AreaJson>
void document(Writer& out, const Json& head, const Areas& areas, AreaJson area_json) {
  std::string opening = head.dump();
  opening.pop_back();  // the closing brace: the areas follow
  out.put(opening);
  out.put(",\"areas\":[");
  bool first = true;
  for (const auto& area : areas) {
    out.put(first ? "\n" : ",\n");
    first = false;
    put(out, area_json(area));
  }
  out.put(first ? "]}\n" : "\n]}\n");
}

}  // namespace

void write_json(Writer& out, const SummaryResult& summary) {
  document(out, Json{{"reports", summary.reports}}, summary.areas, [](const SummarizedArea& a) {
    Json area{{"name", std::string(a.name)}};
    area.update(summary_fields(a.summary));
    return area;
  });
}

void write_json(Writer& out, const ComparisonResult& comparison) {
  document(out,
           Json{{"before_reports", comparison.before_reports},
                {"after_reports", comparison.after_reports}},
           comparison.areas, [](const ComparedArea& a) {
             return Json{{"name", std::string(a.name)},
                         {"before", optional_summary(a.before)},
                         {"after", optional_summary(a.after)},
                         {"ratio", optional_number(a.ratio)},
                         {"p_value", optional_number(a.p_value)},
                         {"verdict", std::string(verdict_text(a.verdict))}};
           });
}

}  // namespace vykpav::report
