#include "timer/report_file.h"

#include <fstream>

namespace vykpav::timer {

void write_report_file(const char* file_name, std::string_view text) {
  const bool default_file = file_name == nullptr;
  const std::ios::openmode mode =
      std::ios::out | std::ios::binary | (default_file ? std::ios::trunc : std::ios::app);
  std::ofstream file(default_file ? kDefaultReportFile : file_name, mode);
  if (!file) return;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace vykpav::timer
