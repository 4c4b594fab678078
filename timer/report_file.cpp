#include "timer/report_file.h"

namespace vykpav::timer {

void ReportFile::write(std::string_view text) {
  if (!opened_) {
    opened_ = true;
    const bool default_file = file_name_ == nullptr;
    file_.rdbuf()->pubsetbuf(no_buffer_, sizeof no_buffer_);
    file_.open(default_file ? kDefaultReportFile : file_name_,
               std::ios::out | std::ios::binary | (default_file ? std::ios::trunc : std::ios::app));
  }
  if (!file_) return;
  file_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace vykpav::timer
