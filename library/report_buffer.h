// The library's one report text buffer, shared by all timers: each report
// assembles its whole text here before writing it to its file. It is created
// empty when the library is loaded and released when it is unloaded.
#ifndef VYKPAV_LIBRARY_REPORT_BUFFER_H
#define VYKPAV_LIBRARY_REPORT_BUFFER_H

#include <mutex>
#include <string>

namespace vykpav::library {

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

}  // namespace vykpav::library

#endif  // VYKPAV_LIBRARY_REPORT_BUFFER_H
