// What the program asks of the operating system beyond standard C++: its
// command line, its files and its standard streams, all in UTF-8. One
// implementation per system: system_io_posix.cpp, where all of it is
// standard C, and system_io_windows.cpp, where the narrow functions would
// pass texts through the ANSI code page and lose what it cannot spell.
#ifndef VYKPAV_TOOLS_REPORT_SYSTEM_IO_H
#define VYKPAV_TOOLS_REPORT_SYSTEM_IO_H

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vykpav::report {

// Readies the standard streams. On Windows they become binary: the output is
// byte for byte what Linux writes (no CR added before each LF, so a CSV row
// does not end in CR CR LF), and a report read from standard input keeps the
// CR LF of its lines.
void prepare_standard_streams();

// The command line, the program's name first, in UTF-8. Windows: taken from
// the UTF-16 command line, so a file name keeps every character.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// std::fopen of a file named in UTF-8: nullptr with errno set when it
// cannot. Windows opens no folder; there a folder gives EISDIR, the error
// Linux gives when it writes to one or reads from one.
std::FILE* open_file(const std::string& utf8_path, const char* mode);

// Writes UTF-8 text: to a Windows console as UTF-16, so any name shows as it
// is whatever the console's code page; to anything else byte for byte.
// False when the write fails. A character split between two calls is not
// joined on a console: the caller writes whole characters.
bool write_text(std::FILE* file, std::string_view utf8);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_SYSTEM_IO_H
