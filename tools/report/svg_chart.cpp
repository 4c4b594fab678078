// The SVG charts, for a browser or a document.
#include <algorithm>
#include <cstdio>
#include <string>

#include "tools/report/area_name.h"
#include "tools/report/chart_scale.h"
#include "tools/report/number_text.h"
#include "tools/report/output_formats.h"

namespace vykpav::report {

namespace {

constexpr const char* kFont = "DejaVu Sans, Verdana, Arial, sans-serif";
constexpr double kMargin = 16;
constexpr double kPlotWidth = 560;
constexpr double kRowsTop = 112;
constexpr double kSummaryRow = 26;
constexpr double kComparisonRow = 40;
// A tall chart repeats its time labels and column headings in a row of
// their own after every so many areas (about a screen's height), so that
// times can be read at any place in it.
constexpr std::size_t kSummaryRowsPerBand = 20;
constexpr std::size_t kComparisonRowsPerBand = 12;
constexpr double kLabelRow = 24;
constexpr std::size_t kLongestLabel = 48;  // characters of a name shown
constexpr double kCharacterWidth = 7.4;    // of 13 px text, on average

constexpr const char* kBarColour = "#4c78a8";
constexpr const char* kBeforeColour = "#a9b4c2";
constexpr const char* kFasterColour = "#2e8b57";
constexpr const char* kSlowerColour = "#c8553d";
constexpr const char* kInkColour = "#1f2d3d";

std::string num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// A UTF-8 text as XML character data: markup characters escaped, control
// characters shown as escapes, and the two non-characters that XML forbids
// replaced.
std::string xml(std::string_view utf8) {
  const std::string printable = printable_name(utf8);
  std::string out;
  for (std::size_t i = 0; i < printable.size(); ++i) {
    const char c = printable[i];
    if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\xEF' && i + 2 < printable.size() && printable[i + 1] == '\xBF' &&
               (printable[i + 2] == '\xBE' || printable[i + 2] == '\xBF')) {
      out += "\uFFFD";
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

struct Layout {
  double name_width;  // the column of names, left of the plot
  double plot_left;
  double values_left;  // the column of figures, right of the plot
  double width, height;
  double rows_bottom;
  double row_height;
  std::size_t rows, rows_per_band;

  // The top of area row i: after a label row before every band but the first.
  double row_top(std::size_t i) const {
    return kRowsTop + row_height * static_cast<double>(i) +
           kLabelRow * static_cast<double>(i / rows_per_band);
  }
  std::size_t bands() const { return rows == 0 ? 1 : (rows - 1) / rows_per_band + 1; }
  // The baseline of the labels above band b (the first's are above the rows).
  double label_baseline(std::size_t b) const {
    return b == 0 ? kRowsTop - 8 : row_top(b * rows_per_band) - 8;
  }
  double band_top(std::size_t b) const { return row_top(b * rows_per_band); }
  double band_bottom(std::size_t b) const {
    return b + 1 == bands() ? rows_bottom : row_top((b + 1) * rows_per_band) - kLabelRow;
  }
};

template <typename Areas>
Layout layout(const Areas& areas, double row_height, std::size_t rows_per_band,
              double values_width) {
  std::size_t longest = 4;
  for (const auto& area : areas)
    longest = std::max(longest, std::min(kLongestLabel, display_width(printable_name(area.name))));
  Layout l;
  l.name_width = std::clamp(static_cast<double>(longest) * kCharacterWidth + 14, 110.0, 380.0);
  l.plot_left = kMargin + l.name_width;
  l.values_left = l.plot_left + kPlotWidth + 40;  // clear of the last tick's label
  l.width = l.values_left + values_width + kMargin;
  l.row_height = row_height;
  l.rows = areas.size();
  l.rows_per_band = rows_per_band;
  l.rows_bottom = l.row_top(l.rows == 0 ? 0 : l.rows - 1) + (l.rows == 0 ? 0 : row_height);
  l.height = l.rows_bottom + 40;
  return l;
}

void open_svg(Writer& out, const Layout& l, const std::string& title, const std::string& about) {
  const std::string w = num(l.width), h = num(l.height);
  out.put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  out.put("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
          "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"" + kFont + "\">\n");
  out.put("<title>" + xml(title) + "</title>\n");
  out.put("<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
  out.put("<text x=\"" + num(kMargin) +
          "\" y=\"30\" font-size=\"18\" font-weight=\"bold\" fill=\"" + kInkColour + "\">" +
          xml(title) + "</text>\n");
  out.put("<text x=\"" + num(kMargin) + "\" y=\"52\" font-size=\"12\" fill=\"#555\">" + xml(about) +
          "</text>\n");
}

// Grid lines through the rows, broken by the label rows; labelled above the
// rows, in each label row and below the rows.
void axis(Writer& out, const Layout& l, const ChartScale& scale) {
  for (const Tick& tick : scale.ticks()) {
    const std::string x = num(l.plot_left + scale.x(tick.microseconds));
    const bool major = !tick.label.empty();
    for (std::size_t b = 0; b < l.bands(); ++b)
      out.put("<line x1=\"" + x + "\" y1=\"" + num(l.band_top(b)) + "\" x2=\"" + x + "\" y2=\"" +
              num(l.band_bottom(b)) + "\" stroke=\"" + (major ? "#c3cad3" : "#e6e9ee") + "\"/>\n");
    if (!major) continue;
    for (std::size_t b = 0; b <= l.bands(); ++b)
      out.put("<text x=\"" + x + "\" y=\"" +
              num(b == l.bands() ? l.rows_bottom + 18 : l.label_baseline(b)) +
              "\" font-size=\"11\" fill=\"#444\" text-anchor=\"middle\">" + xml(tick.label) +
              "</text>\n");
  }
}

void stripe(Writer& out, const Layout& l, double y, double height, std::size_t row) {
  if (row % 2 == 1) return;
  out.put("<rect x=\"" + num(kMargin / 2) + "\" y=\"" + num(y) + "\" width=\"" +
          num(l.width - kMargin) + "\" height=\"" + num(height) + "\" fill=\"#f2f4f7\"/>\n");
}

void name_label(Writer& out, const Layout& l, std::string_view name, double middle) {
  out.put("<text x=\"" + num(l.plot_left - 10) + "\" y=\"" + num(middle + 4.5) +
          "\" font-size=\"13\" fill=\"" + kInkColour + "\" text-anchor=\"end\"><title>" +
          xml(name) + "</title>" + xml(shortened(printable_name(name), kLongestLabel)) +
          "</text>\n");
}

// A bar from the axis' start to the median, and a whisker from the minimum
// to the maximum across it.
void bar(Writer& out, const Layout& l, const ChartScale& scale, const Summary& s, double top,
         double height, const char* colour) {
  const double middle = top + height / 2;
  out.put("<rect x=\"" + num(l.plot_left) + "\" y=\"" + num(top) + "\" width=\"" +
          num(std::max(1.0, scale.x(s.median))) + "\" height=\"" + num(height) + "\" fill=\"" +
          colour + "\" rx=\"2\"/>\n");
  const std::string low = num(l.plot_left + scale.x(static_cast<double>(s.min)));
  const std::string high = num(l.plot_left + scale.x(static_cast<double>(s.max)));
  const std::string y = num(middle), y1 = num(middle - 4), y2 = num(middle + 4);
  out.put(std::string("<path d=\"M") + low + " " + y + "H" + high + "M" + low + " " + y1 + "V" +
          y2 + "M" + high + " " + y1 + "V" + y2 + "\" stroke=\"" + kInkColour +
          "\" stroke-width=\"1.5\" fill=\"none\"/>\n");
}

void text(Writer& out, double x, double y, const std::string& content, const char* style) {
  out.put("<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-size=\"12\" " + style + ">" +
          xml(content) + "</text>\n");
}

// "4.00 – 5.00 µs", with both units where they differ.
std::string range_text(double low, double high) {
  std::string from = duration_text(low);
  const std::string to = duration_text(high);
  const std::size_t space = from.rfind(' ');
  if (from.substr(space) == to.substr(to.rfind(' '))) from.erase(space);
  return from + " \u2013 " + to;
}

std::string scale_note(const ChartScale& scale) {
  return scale.logarithmic() ? "logarithmic time axis" : "linear time axis from zero";
}

// The colour of a significant change, `otherwise` for any other verdict.
const char* verdict_colour(Verdict verdict, const char* otherwise) {
  switch (verdict) {
    case Verdict::kFaster: return kFasterColour;
    case Verdict::kSlower: return kSlowerColour;
    default: return otherwise;
  }
}

// The times a chart's axis shows: up to the largest maximum, and from the
// smallest minimum or median above zero (0 when there is none).
struct TimeRange {
  double largest = 0, smallest = 0;
  void add(const Summary& s) {
    largest = std::max(largest, static_cast<double>(s.max));
    for (const double v : {static_cast<double>(s.min), s.median})
      if (v > 0 && (smallest == 0 || v < smallest)) smallest = v;
  }
  ChartScale scale() const { return ChartScale(largest, smallest, kPlotWidth); }
};

}  // namespace

void write_chart(Writer& out, const SummaryResult& summary) {
  const Layout l = layout(summary.areas, kSummaryRow, kSummaryRowsPerBand, 200);
  TimeRange range;
  for (const SummarizedArea& area : summary.areas) range.add(area.summary);
  const ChartScale scale = range.scale();
  open_svg(out, l, "Summary of " + count_text(summary.reports, "report", "reports"),
           count_text(summary.areas.size(), "area", "areas") +
               " in time order \u00B7 bar at the median, whisker from minimum to maximum \u00B7 " +
               scale_note(scale));
  axis(out, l, scale);
  for (std::size_t b = 0; b < l.bands(); ++b)
    text(out, l.values_left, l.label_baseline(b), "median (min \u2013 max)", "fill=\"#444\"");
  for (std::size_t i = 0; i < summary.areas.size(); ++i) {
    const SummarizedArea& area = summary.areas[i];
    const double top = l.row_top(i);
    const double middle = top + kSummaryRow / 2;
    stripe(out, l, top, kSummaryRow, i);
    name_label(out, l, area.name, middle);
    bar(out, l, scale, area.summary, top + 6, kSummaryRow - 12, kBarColour);
    text(out, l.values_left, middle + 4.5, duration_text(area.summary.median),
         "font-weight=\"bold\" fill=\"#1f2d3d\"");
    text(out, l.values_left + 66, middle + 4.5,
         range_text(static_cast<double>(area.summary.min), static_cast<double>(area.summary.max)),
         "fill=\"#666\"");
  }
  out.put("</svg>\n");
}

void write_chart(Writer& out, const ComparisonResult& comparison) {
  const Layout l = layout(comparison.areas, kComparisonRow, kComparisonRowsPerBand, 330);
  TimeRange range;
  for (const ComparedArea& area : comparison.areas)
    for (const auto* s : {&area.before, &area.after})
      if (*s) range.add(**s);
  const ChartScale scale = range.scale();
  open_svg(
      out, l,
      "Before and after: " + count_text(comparison.before_reports, "report", "reports") +
          " against " + count_text(comparison.after_reports, "report", "reports"),
      count_text(comparison.areas.size(), "area", "areas") +
          " in time order \u00B7 bars at the median, whiskers from minimum to maximum \u00B7 " +
          scale_note(scale) + " \u00B7 verdicts by a two-sided Mann-Whitney U test, alpha " +
          p_value_text(comparison.alpha));
  // The legend: what each bar's colour means.
  double x = kMargin;
  for (const auto& [colour, label] :
       {std::pair{kBeforeColour, "before"}, std::pair{kBarColour, "after: no significant change"},
        std::pair{kFasterColour, "after: faster"}, std::pair{kSlowerColour, "after: slower"}}) {
    out.put("<rect x=\"" + num(x) + "\" y=\"66\" width=\"14\" height=\"10\" fill=\"" + colour +
            "\"/>\n");
    text(out, x + 19, 75.5, label, "fill=\"#333\"");
    x += 19 + static_cast<double>(std::string_view(label).size()) * 7 + 18;
  }
  axis(out, l, scale);
  const double columns[] = {l.values_left, l.values_left + 78, l.values_left + 156,
                            l.values_left + 214};
  const char* headings[] = {"before", "after", "ratio", "verdict"};
  for (std::size_t b = 0; b < l.bands(); ++b)
    for (std::size_t c = 0; c < 4; ++c)
      text(out, columns[c], l.label_baseline(b), headings[c], "fill=\"#444\"");
  for (std::size_t i = 0; i < comparison.areas.size(); ++i) {
    const ComparedArea& area = comparison.areas[i];
    const double top = l.row_top(i);
    const double middle = top + kComparisonRow / 2;
    stripe(out, l, top, kComparisonRow, i);
    name_label(out, l, area.name, middle);
    if (area.before) bar(out, l, scale, *area.before, top + 7, 11, kBeforeColour);
    if (area.after)
      bar(out, l, scale, *area.after, top + 22, 11, verdict_colour(area.verdict, kBarColour));
    const char* ink = "fill=\"#1f2d3d\"";
    if (area.before) text(out, columns[0], top + 16.5, duration_text(area.before->median), ink);
    if (area.after) text(out, columns[1], top + 31.5, duration_text(area.after->median), ink);
    if (area.ratio) text(out, columns[2], middle + 4.5, "\u00D7" + three_digits(*area.ratio), ink);
    const std::string style =
        std::string("font-weight=\"bold\" fill=\"") + verdict_colour(area.verdict, "#555") + "\"";
    text(out, columns[3], middle + 4.5, std::string(verdict_text(area.verdict)), style.c_str());
  }
  out.put("</svg>\n");
}

}  // namespace vykpav::report
