// One row per area (RFC 4180): times in microseconds as numbers, an empty
// field where JSON has null.
#include <charconv>
#include <cstdint>
#include <optional>

#include "tools/report/output_formats.h"

namespace vykpav::report {

namespace {

void field(Writer& out, std::string_view name) {
  const bool quoted = name.find_first_of(",\"\r\n") != std::string_view::npos ||
                      (!name.empty() && (name.front() == ' ' || name.back() == ' '));
  if (!quoted) {
    out.put(name);
    return;
  }
  out.put('"');
  for (const char c : name) {
    if (c == '"') out.put('"');
    out.put(c);
  }
  out.put('"');
}

// The shortest text that reads back as the same value.
template <typename Number>
void number(Writer& out, Number value) {
  char text[32];
  const char* end = std::to_chars(text, text + sizeof text, value).ptr;
  out.put(std::string_view(text, static_cast<std::size_t>(end - text)));
}

void summary_fields(Writer& out, const std::optional<Summary>& s) {
  if (!s) {
    out.put(",,,,");
    return;
  }
  number(out, static_cast<std::uint64_t>(s->runs));
  out.put(',');
  number(out, s->median);
  out.put(',');
  number(out, s->min);
  out.put(',');
  number(out, s->max);
  out.put(',');
  number(out, s->mean);
}

void optional_number(Writer& out, const std::optional<double>& value) {
  if (value) number(out, *value);
}

}  // namespace

void write_csv(Writer& out, const SummaryResult& summary) {
  out.put("name,runs,median_us,min_us,max_us,mean_us\r\n");
  for (const SummarizedArea& area : summary.areas) {
    field(out, area.name);
    out.put(',');
    summary_fields(out, area.summary);
    out.put("\r\n");
  }
}

void write_csv(Writer& out, const ComparisonResult& comparison) {
  out.put(
      "name,before_runs,before_median_us,before_min_us,before_max_us,before_mean_us,"
      "after_runs,after_median_us,after_min_us,after_max_us,after_mean_us,ratio,p_value,"
      "verdict\r\n");
  for (const ComparedArea& area : comparison.areas) {
    field(out, area.name);
    out.put(',');
    summary_fields(out, area.before);
    out.put(',');
    summary_fields(out, area.after);
    out.put(',');
    optional_number(out, area.ratio);
    out.put(',');
    optional_number(out, area.p_value);
    out.put(',');
    out.put(verdict_text(area.verdict));
    out.put("\r\n");
  }
}

}  // namespace vykpav::report
