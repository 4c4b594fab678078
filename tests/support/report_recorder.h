// What the reader found, kept whole, and the ways the tests hand it input.
#ifndef VYKPAV_TESTS_SUPPORT_REPORT_RECORDER_H
#define VYKPAV_TESTS_SUPPORT_REPORT_RECORDER_H

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/report/report_reader.h"

namespace report_testing {

using vykpav::report::AreaBlock;
using vykpav::report::ReportOpening;

struct SeenBlock {
  std::string name;
  std::uint64_t microseconds, milliseconds, seconds;
  std::string start_file, end_file;
  std::uint32_t start_line, end_line;
};

struct SeenReport {
  vykpav::timer::Language language;
  std::uint64_t frequency;
  std::string date_time;
  std::vector<SeenBlock> blocks;
};

class Recorder : public vykpav::report::ReportVisitor {
 public:
  std::vector<SeenReport> reports;
  std::size_t blocks_seen = 0;

  void report(const ReportOpening& opening) override {
    reports.push_back({opening.language, opening.frequency, std::string(opening.date_time), {}});
  }
  void area(const AreaBlock& b) override {
    ++blocks_seen;
    reports.back().blocks.push_back({std::string(b.name), b.microseconds, b.milliseconds, b.seconds,
                                     std::string(b.start_file), std::string(b.end_file),
                                     b.start_line, b.end_line});
  }
};

// Reads `text` as a file named "report.txt" would be read, `read_size`
// bytes at a time.
inline vykpav::report::ReadResult read_text(const std::string& text,
                                            vykpav::report::ReportVisitor& visitor,
                                            std::size_t read_size = vykpav::report::kReadSize) {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) throw std::runtime_error("no temporary file");
  if (std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
    std::fclose(file);
    throw std::runtime_error("cannot write the temporary file");
  }
  std::rewind(file);
  try {
    vykpav::report::ReadResult result =
        vykpav::report::read_reports(file, "report.txt", visitor, read_size);
    std::fclose(file);
    return result;
  } catch (...) {
    std::fclose(file);
    throw;
  }
}

}  // namespace report_testing

#endif  // VYKPAV_TESTS_SUPPORT_REPORT_RECORDER_H
