// The library's one report text buffer, shared by all timers: each report
// composes its text here, piece by piece, on its way to the file. The shared
// library's load and unload hooks (library/load_unload.cpp) create it empty
// and release it; linked statically, it is created on first use.
#ifndef VYKPAV_TIMER_REPORT_BUFFER_H
#define VYKPAV_TIMER_REPORT_BUFFER_H

#include <mutex>
#include <string>

namespace vykpav::timer {

void create_report_buffer();
void release_report_buffer();

// Holds the buffer for one report. Reports of different timers may run on
// different threads at once; they take turns here instead of mixing their
// texts.
class LockedReportBuffer {
 public:
  LockedReportBuffer();
  std::string& text() noexcept { return *text_; }

 private:
  std::unique_lock<std::mutex> lock_;
  std::string* text_;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_REPORT_BUFFER_H
