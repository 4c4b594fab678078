#include "tools/report/commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "tools/report/report_reader.h"
#include "tools/report/run_table.h"
#include "tools/report/system_io.h"

namespace vykpav::report {

namespace {

// A failure the command reports in one line.
class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A line on `err`, after the program's name.
void say(std::FILE* err, const std::string& text) {
  write_text(err, "vykpav-report: " + text + "\n");
}

void refuse_stdin_twice(const std::vector<std::string>& paths) {
  if (std::count(paths.begin(), paths.end(), "-") > 1)
    throw CommandError("standard input (-) can be read only once");
}

void read_into(RunTable& table, const std::string& path, std::FILE* err) {
  for (const std::string& warning : read_report_file(path, table).warnings) say(err, warning);
}

void flush(Writer& out, const std::string& failure) {
  if (!out.flush()) throw CommandError(failure + std::strerror(errno));
}

// The chart into its file, if one is named, then the output.
template <typename Result>
void write(const Result& result, const Options& options, std::FILE* out) {
  if (!options.svg.empty()) {
    const std::string failure = options.svg + ": cannot write: ";
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(open_file(options.svg, "wb"),
                                                               &std::fclose);
    if (!file) throw CommandError(failure + std::strerror(errno));
    Writer chart(file.get());
    write_chart(chart, result);
    flush(chart, failure);
  }
  Writer output(out);
  switch (options.format) {
    case Format::kText: write_table(output, result); break;
    case Format::kCsv: write_csv(output, result); break;
    case Format::kJson: write_json(output, result); break;
  }
  flush(output, "cannot write the output: ");
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

}  // namespace

int run_summary(const std::vector<std::string>& files, const Options& options, std::FILE* out,
                std::FILE* err) {
  return run(err, [&] {
    refuse_stdin_twice(files);
    RunTable table;
    for (const std::string& path : files) read_into(table, path, err);
    write(area_summaries(table), options, out);
  });
}

int run_compare(const std::string& before, const std::string& after, const Options& options,
                std::FILE* out, std::FILE* err) {
  return run(err, [&] {
    refuse_stdin_twice({before, after});
    RunTable old_runs, new_runs;
    read_into(old_runs, before, err);
    read_into(new_runs, after, err);
    write(compare(old_runs, new_runs, options.alpha), options, out);
  });
}

}  // namespace vykpav::report
