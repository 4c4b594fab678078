// The command line, files and streams on POSIX systems: bytes throughout,
// which hold UTF-8 there.
#include <cerrno>

#include "tools/report/system_io.h"

namespace vykpav::report {

void prepare_standard_streams() {}

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

std::FILE* open_file(const std::string& utf8_path, const char* mode) {
  errno = 0;
  return std::fopen(utf8_path.c_str(), mode);
}

bool write_text(std::FILE* file, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), file) == utf8.size();
}

}  // namespace vykpav::report
