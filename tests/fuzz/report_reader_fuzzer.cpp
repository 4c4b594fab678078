// vykpav-report's reader on any bytes, and on reports the library writes
// with arbitrary names and file texts, whole, cut short and appended to.
//
// Input layout:
//   0     bit 0: build reports (else the rest of the input is read as it
//         is); bit 1: Russian texts; bit 2: a second report follows the
//         first; bit 3: the first report is cut short
//   1-2   where the cut falls, least significant byte first, taken modulo
//         the first report's size
//   then areas until the input ends, each:
//   0-3   its elapsed ticks at 10 MHz, least significant byte first
//   then its name, begin file text and end file text, each ended by a zero
//   byte (the input's end ends the last one)
//
// Raw input must never crash, hang or leak; the reader either throws its
// one error or returns at least one report, a warning for each report cut
// short, with line numbers inside the input. On every input the reading does
// not depend on how much the reader takes in at a time: read a few bytes at
// a time, where a piece may end anywhere, it finds the same reports, blocks,
// warnings and error as read in one go. Built reports must read back
// whole: every area with its own microseconds, files and lines. A cut one
// gives a prefix of its blocks, a warning, and the second report whole.
// Names and files that hold the few texts a reader cannot tell from the
// report's own (a dotted line with the velocity label after a head line's
// end, a new report's frequency line, a file text's closing quote and line
// label) are left unchecked: they read as what they imitate.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/printable.h"
#include "timer/messages.h"
#include "timer/report_composer.h"
#include "timer/timer.h"
#include "tools/report/report_reader.h"

namespace {

using vykpav::report::AreaBlock;
using vykpav::report::ReadError;
using vykpav::report::ReadResult;
using vykpav::report::ReportOpening;
using vykpav::timer::Language;

struct Seen {
  std::string name, start_file, end_file;
  std::uint64_t microseconds;
  std::uint32_t start_line, end_line;
  bool operator==(const Seen& o) const {
    return name == o.name && start_file == o.start_file && end_file == o.end_file &&
           microseconds == o.microseconds && start_line == o.start_line && end_line == o.end_line;
  }
};

class Recorder : public vykpav::report::ReportVisitor {
 public:
  std::vector<std::vector<Seen>> reports;
  void report(const ReportOpening&) override { reports.emplace_back(); }
  void area(const AreaBlock& b) override {
    reports.back().push_back({std::string(b.name), std::string(b.start_file),
                              std::string(b.end_file), b.microseconds, b.start_line, b.end_line});
  }
};

[[noreturn]] void fail(const std::string& what, const std::string& input) {
  std::fprintf(stderr, "%s\n  input: \"%s\"\n", what.c_str(),
               printable(std::string_view(input).substr(0, 400)).c_str());
  std::abort();
}

// All that one reading of a text gives.
struct Reading {
  std::vector<std::vector<Seen>> reports;
  std::size_t read = 0, cut_short = 0;
  std::vector<std::string> warnings;
  std::string error;  // empty when the reader gave none
  bool operator==(const Reading& o) const {
    return reports == o.reports && read == o.read && cut_short == o.cut_short &&
           warnings == o.warnings && error == o.error;
  }
};

// The line a message names: "input:<line>: ...".
std::size_t named_line(const std::string& message) {
  return std::strtoul(message.c_str() + std::string_view("input:").size(), nullptr, 10);
}

Reading read(const std::string& text, std::size_t read_size = vykpav::report::kReadSize) {
  std::string copy = text;
  std::FILE* file = copy.empty() ? std::tmpfile() : fmemopen(copy.data(), copy.size(), "rb");
  if (file == nullptr) std::abort();
  Recorder seen;
  Reading reading;
  try {
    const ReadResult result = vykpav::report::read_reports(file, "input", seen, read_size);
    reading.read = result.reports;
    reading.cut_short = result.cut_short;
    reading.warnings = result.warnings;
  } catch (const ReadError& e) {
    reading.error = e.what();
    if (reading.error.rfind("input", 0) != 0 || reading.error.find('\n') != std::string::npos)
      fail("an error that is not one line naming the input: " + reading.error, text);
  }
  std::fclose(file);
  reading.reports = std::move(seen.reports);
  // Sound whatever the text: a report or an error, a warning for each cut
  // report, and the lines named within the text's.
  if (reading.error.empty() && (reading.read == 0 || reading.reports.size() != reading.read))
    fail("no error and no report, or reports uncounted", text);
  if (reading.cut_short != reading.warnings.size()) fail("not one warning per cut report", text);
  const std::size_t lines =
      1 + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  for (const std::string& message : reading.warnings)
    if (named_line(message) == 0 || named_line(message) > lines)
      fail("a warning names no line of the input: " + message, text);
  if (!reading.error.empty() && reading.error.rfind("input:", 0) == 0 &&
      named_line(reading.error) > lines)
    fail("the error names no line of the input: " + reading.error, text);
  return reading;
}

// The text read a few bytes at a time reads as read in one go.
Reading read_in_pieces(const std::string& text) {
  const Reading whole = read(text);
  for (const std::size_t read_size : {1u, 3u, 16u})
    if (!(read(text, read_size) == whole))
      fail("read " + std::to_string(read_size) + " bytes at a time, the text reads otherwise",
           text);
  return whole;
}

std::string take_text(const std::uint8_t*& at, const std::uint8_t* end) {
  std::string s;
  while (at < end && *at != 0) s += static_cast<char>(*at++);
  if (at < end) ++at;
  return s;
}

bool holds_any(const std::string& text, const std::vector<std::string>& pieces) {
  for (const std::string& piece : pieces)
    if (text.find(piece) != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  if ((mode & 1) == 0) {
    read_in_pieces(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    return 0;
  }
  const Language language = (mode & 2) != 0 ? Language::Russian : Language::English;
  const std::uint8_t* at = data + 1;
  const std::uint8_t* end = data + size;
  std::size_t cut = 0;
  for (int i = 0; i < 2 && at < end; ++i) cut |= static_cast<std::size_t>(*at++) << (8 * i);

  struct Area {
    std::uint64_t ticks;
    std::string name, start_file, end_file;
  };
  std::map<std::string, Area> areas;  // a name given twice is one area: the first
  const vykpav::timer::Messages& m = vykpav::timer::messages(language);
  const std::string dots(70, '.');
  const std::vector<std::string> imitations = {
      " __________\r\n" + dots, "\r\n" + std::string(m.frequency_label),
      "\r\n" + std::string(vykpav::timer::messages(Language::English).frequency_label),
      "\r\n" + std::string(vykpav::timer::messages(Language::Russian).frequency_label),
      "\"" + std::string(m.line_label)};
  bool checkable = true;
  while (at < end && areas.size() < 12) {
    std::uint64_t ticks = 0;
    for (int i = 0; i < 4 && at < end; ++i) ticks |= std::uint64_t{*at++} << (8 * i);
    Area area{ticks, take_text(at, end), take_text(at, end), take_text(at, end)};
    if (holds_any(area.name, imitations) || holds_any(area.start_file, imitations) ||
        holds_any(area.end_file, imitations))
      checkable = false;
    areas.emplace(area.name, area);
  }

  testing_support::FakePlatform fake;
  fake.language_id =
      language == Language::Russian ? testing_support::kRussian : testing_support::kEnglishUs;
  std::vector<const char*> names;
  for (const auto& [name, area] : areas) names.push_back(area.name.c_str());
  vykpav::timer::Timer timer(static_cast<std::uint32_t>(names.size()), names.data(), fake);
  int line = 1;
  for (const auto& [name, area] : areas) {
    fake.now = 1000;
    timer.begin(area.name.c_str(), area.start_file.c_str(), line);
    fake.now = 1000 + area.ticks;
    timer.end(area.name.c_str(), area.end_file.c_str(), line + 1);
    line += 2;
  }
  std::string report;
  compose_report(report, {timer.frequency(), language, fake.date, fake.time},
                 order_areas(*timer.area_table(), timer.frequency()));

  const Reading whole = read_in_pieces(report);
  if (!whole.error.empty()) {
    if (checkable) fail("a whole report the library wrote did not read", report);
    return 0;
  }
  if (!checkable) return 0;
  if (whole.reports.size() != 1 || whole.reports[0].size() != areas.size() ||
      !whole.warnings.empty())
    fail("a whole report did not read as one report of all its areas", report);
  line = 1;
  for (const auto& [name, area] : areas) {
    const Seen expected{area.name,
                        area.start_file,
                        area.end_file,
                        area.ticks / 10,
                        static_cast<std::uint32_t>(line),
                        static_cast<std::uint32_t>(line + 1)};
    line += 2;
    bool found = false;
    for (const Seen& s : whole.reports[0]) found = found || s == expected;
    if (!found) fail("area \"" + printable(area.name) + "\" did not read back", report);
  }

  const bool appended = (mode & 4) != 0, cut_short = (mode & 8) != 0;
  if (!appended && !cut_short) return 0;
  const std::string first = cut_short ? report.substr(0, cut % report.size()) : report;
  const std::string text = first + (appended ? report : std::string());
  const Reading part = read_in_pieces(text);
  if (!part.error.empty()) {
    if (appended && !first.empty()) fail("a cut report with a whole one after it failed", text);
    return 0;  // a cut inside the first lines, and nothing after it
  }
  const std::vector<Seen>& blocks = whole.reports[0];
  const std::vector<Seen>& cut_blocks = part.reports.front();
  if (first.size() < report.size() && !first.empty() && part.reports.size() == 2 - !appended) {
    // The cut report kept its first lines: its blocks are a prefix of all.
    if (cut_blocks.size() > blocks.size() ||
        !std::equal(cut_blocks.begin(), cut_blocks.end(), blocks.begin()))
      fail("a cut report's blocks are not a prefix of the whole report's", text);
  }
  if (appended && part.reports.back() != blocks)
    fail("the report after a cut one did not read whole", text);
  return 0;
}
