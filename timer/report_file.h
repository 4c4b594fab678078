// The file a report goes to, written piece by piece as the report is
// composed.
#ifndef VYKPAV_TIMER_REPORT_FILE_H
#define VYKPAV_TIMER_REPORT_FILE_H

#include <fstream>
#include <string_view>

namespace vykpav::timer {

inline constexpr const char* kDefaultReportFile = "VYK_PAV.txt";

// `file_name`, appended to, or, when it is null, "VYK_PAV.txt", its content
// replaced. The file is opened by the first write: a report whose composing
// fails before any text is whole leaves its file as it was. A file that
// cannot be opened is silently not written.
class ReportFile {
 public:
  explicit ReportFile(const char* file_name) noexcept : file_name_(file_name) {}
  ReportFile(const ReportFile&) = delete;
  ReportFile& operator=(const ReportFile&) = delete;

  // Writes `text` unchanged (binary: CR LF and cp1251 bytes as they are).
  void write(std::string_view text);

 private:
  const char* file_name_;
  bool opened_ = false;
  // The stream's own buffer, of one byte, so that each write goes straight
  // to the file. A buffer of its choosing would be allocated once the file
  // is open, by then emptied if it is the default one: a report that ran
  // out of memory there would leave no report at all.
  char no_buffer_[1] = {};
  std::ofstream file_;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_REPORT_FILE_H
