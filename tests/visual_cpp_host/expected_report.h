// What a report of the library must hold, as the Visual C++ host sees it:
// its lines, its fixed texts in the expected language, and its areas' figures;
// and the check of a report against that.
#ifndef VYKPAV_TESTS_VISUAL_CPP_HOST_EXPECTED_REPORT_H
#define VYKPAV_TESTS_VISUAL_CPP_HOST_EXPECTED_REPORT_H

#include "host.h"

namespace host {

// No area of the host takes a minute (microseconds).
constexpr u64 kLongest = 60000000;

// An area a report must show: its latest marks, and bounds of its
// microseconds.
struct ExpectedArea {
  const char* name;
  const char* begin_file;
  int begin_line;
  const char* end_file;  // "" and 0 for an area never ended
  int end_line;
  u64 least_microseconds, most_microseconds;
};

// What every report of one run shares: the language's texts, the counter
// frequency, and the date and time just before and just after the latest
// report.
struct ExpectedReport {
  ExpectedReport(bool russian, u64 frequency);
  void set_moments(const char* date_before, const char* time_before, const char* date_after,
                   const char* time_after);

  u64 frequency;
  const char* frequency_label;
  const char* hertz;
  const char* head_word;
  const char* velocity_label;
  const char* microseconds;
  const char* milliseconds;
  const char* seconds;
  const char* begin_label;
  const char* end_label;
  const char* line_label;
  Line dates[2], times[2];
};

// Checks the report of `size` bytes at `text`: header, one block for each
// of the `count` areas, in the report's order (ascending head lines), and
// the closing notice.
void check_report(const ExpectedReport& expected, const char* text, unsigned long size,
                  const ExpectedArea* areas, int count);

}  // namespace host

#endif  // VYKPAV_TESTS_VISUAL_CPP_HOST_EXPECTED_REPORT_H
