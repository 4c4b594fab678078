// vykpav-report: sums up and compares the reports that VYK_PAV hosts write,
// and draws them.
//
//   vykpav-report summary FILE...            every report in the files
//   vykpav-report compare BEFORE AFTER       the change from one set of runs to another
//   options: --format text|csv|json, --svg OUT.svg, --alpha P (compare); FILE "-" is stdin
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tools/report/commands.h"
#include "tools/report/system_io.h"

int main(int argc, char** argv) {
  using vykpav::report::Format;
  vykpav::report::prepare_standard_streams();
  vykpav::report::Options options;
  CLI::App app{
      "Sums up and compares the timing reports of VYK_PAV hosts (Selvorin::VYK_PAV::pokaz).",
      "vykpav-report"};
  app.footer(
      "Output is UTF-8 on every system, its lines ending in LF (CSV rows in CR LF, as CSV has "
      "them). On Windows a console is written in UTF-16 instead, so names in any alphabet show "
      "as they are; a file or a pipe still gets UTF-8. File names may hold any characters.");
  // Options as on Linux (--format), so that a file path that starts with /
  // is a path on Windows too.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);
  app.fallthrough();
  const std::map<std::string, Format> formats = {
      {"text", Format::kText}, {"csv", Format::kCsv}, {"json", Format::kJson}};
  app.add_option("--format", options.format, "Output: an aligned table, CSV or JSON")
      ->transform(CLI::CheckedTransformer(formats))
      ->default_str("text");
  app.add_option("--svg", options.svg, "Also draw the chart into this SVG file");

  std::vector<std::string> files;
  CLI::App* summary = app.add_subcommand(
      "summary", "For each area: its runs and the median, minimum, maximum and mean time");
  summary->add_option("FILE", files, "Report files; - reads standard input")->required();

  std::string before, after;
  CLI::App* compare = app.add_subcommand(
      "compare", "For each area: the change from BEFORE's runs to AFTER's, and its verdict");
  compare->add_option("BEFORE", before, "Report file of the runs before; - for stdin")->required();
  compare->add_option("AFTER", after, "Report file of the runs after; - for stdin")->required();
  compare
      ->add_option("--alpha", options.alpha, "Significance level of the verdicts faster and slower")
      ->check(CLI::Validator(
          [](const std::string& text) {
            char* end = nullptr;
            const double value = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != '\0' || !(value > 0 && value < 1))
              return std::string("alpha must be a number above 0 and below 1");
            return std::string();
          },
          "in (0, 1)"))
      ->default_str("0.05");

  const std::vector<std::string> arguments = vykpav::report::utf8_arguments(argc, argv);
  std::vector<const char*> words;
  for (const std::string& argument : arguments) words.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(words.size()), words.data());
  } catch (const CLI::ParseError& e) {
    // Help and messages go out as the commands' output does.
    std::ostringstream out, err;
    const int status = app.exit(e, out, err);
    vykpav::report::write_text(stdout, out.str());
    vykpav::report::write_text(stderr, err.str());
    return status == 0 ? 0 : 2;
  }
  if (summary->parsed()) return vykpav::report::run_summary(files, options, stdout, stderr);
  return vykpav::report::run_compare(before, after, options, stdout, stderr);
}
