#include "timer/report_file.h"

#include <fstream>

namespace vykpav::timer {

void write_report_file(const char* file_name, std::string_view text) {
  const bool default_file = file_name == nullptr;
  const std::ios::openmode mode =
      std::ios::out | std::ios::binary | (default_file ? std::ios::trunc : std::ios::app);
  // A stream allocates its buffer once it has opened the file, by then
  // emptied if it is the default one: a report that ran out of memory there
  // would leave no report at all. It is given one of its own instead, of one
  // byte, so the one write of the text goes straight to the file.
  std::ofstream file;
  char no_buffer[1];
  file.rdbuf()->pubsetbuf(no_buffer, sizeof no_buffer);
  file.open(default_file ? kDefaultReportFile : file_name, mode);
  if (!file) return;
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace vykpav::timer
