// Writing a finished report to its file.
#ifndef VYKPAV_TIMER_REPORT_FILE_H
#define VYKPAV_TIMER_REPORT_FILE_H

#include <string_view>

namespace vykpav::timer {

inline constexpr const char* kDefaultReportFile = "VYK_PAV.txt";

// Writes `text` unchanged (binary: CR LF and cp1251 bytes as they are) to
// `file_name`, appending, or, when it is null, to "VYK_PAV.txt", replacing its
// content. A file that cannot be opened is silently not written.
void write_report_file(const char* file_name, std::string_view text);

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_REPORT_FILE_H
