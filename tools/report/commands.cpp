#include "tools/report/commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "tools/report/report_reader.h"
#include "tools/report/run_table.h"
#include "tools/report/svg_chart.h"
#include "tools/report/system_io.h"

namespace vykpav::report {

namespace {

constexpr const char* kProgram = "vykpav-report";

// A failure the command reports in one line.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line on `err`, after the program's name.
void say(std::FILE* err, const std::string& text) {
  write_text(err, std::string(kProgram) + ": " + text + "\n");
}

void read_into(RunTable& table, const std::string& path, std::FILE* err) {
  const ReadResult result = read_report_file(path, table);
  for (const std::string& warning : result.warnings) say(err, warning);
}

void refuse_stdin_twice(const std::vector<std::string>& paths) {
  if (std::count(paths.begin(), paths.end(), "-") > 1)
    throw CommandError("standard input (-) can be read only once");
}

template <typename Write>
void write_chart(const std::string& path, Write write) {
  if (path.empty()) return;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(open_file(path, "wb"), &std::fclose);
  if (!file) throw CommandError(path + ": cannot write: " + std::strerror(errno));
  Writer out(file.get());
  write(out);
  if (!out.flush()) throw CommandError(path + ": cannot write: " + std::strerror(errno));
}

template <typename Command>
int run(std::FILE* err, Command command) {
  try {
    command();
    return 0;
  } catch (const ReadError& e) {
    say(err, e.what());
  } catch (const CommandError& e) {
    say(err, e.what());
  }
  return 2;
}

void finish(Writer& out) {
  if (!out.flush())
    throw CommandError(std::string("cannot write the output: ") + std::strerror(errno));
}

}  // namespace

int run_summary(const std::vector<std::string>& files, const Options& options, std::FILE* out,
                std::FILE* err) {
  return run(err, [&] {
    refuse_stdin_twice(files);
    RunTable table;
    for (const std::string& path : files) read_into(table, path, err);
    const SummaryResult summary = area_summaries(table);
    write_chart(options.svg, [&](Writer& svg) { write_summary_svg(svg, summary); });
    Writer output(out);
    switch (options.format) {
      case Format::kText: write_summary_text(output, summary); break;
      case Format::kCsv: write_summary_csv(output, summary); break;
      case Format::kJson: write_summary_json(output, summary); break;
    }
    finish(output);
  });
}

int run_compare(const std::string& before, const std::string& after, const Options& options,
                std::FILE* out, std::FILE* err) {
  return run(err, [&] {
    refuse_stdin_twice({before, after});
    RunTable old_runs, new_runs;
    read_into(old_runs, before, err);
    read_into(new_runs, after, err);
    const ComparisonResult comparison = compare(old_runs, new_runs, options.alpha);
    write_chart(options.svg,
                [&](Writer& svg) { write_comparison_svg(svg, comparison, options.alpha); });
    Writer output(out);
    switch (options.format) {
      case Format::kText: write_comparison_text(output, comparison, options.alpha); break;
      case Format::kCsv: write_comparison_csv(output, comparison); break;
      case Format::kJson: write_comparison_json(output, comparison); break;
    }
    finish(output);
  });
}

}  // namespace vykpav::report
