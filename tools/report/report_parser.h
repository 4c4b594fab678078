// Reads one piece of a report at a time (its opening lines, one area block,
// its closing lines) from the front of a window of bytes. The window may end
// anywhere: the parser then says the piece is incomplete, and its caller
// reads more or, at the end of the input, takes the report as cut short.
//
// Names and file texts may hold any byte but 0, line breaks and quotation
// marks and the head line's own separators included, so nothing is split at
// line breaks. Each variable text ends where the fixed text that must follow
// it is found whole:
//   - a name, at the first line break that ends " __________" and is followed
//     by the dotted line and a velocity line that starts with the head
//     line's own microseconds (fixed-width, so read before the name);
//   - a begin file text, at the first quotation mark followed by the line
//     label, a line number, a line break and the end line's label and quote;
//   - an end file text, at the first quotation mark followed by the line
//     label, a line number, the block's empty line and then the next block's
//     head or the closing lines.
// A report written part way and then followed by the next host's report (an
// append after a failed write) shows as a new report's first two lines
// where the old one's bytes stop: the parser says so, and no variable text
// runs across them. A name or file text that itself holds a line break and a
// whole frequency line is read that way too; no host names an area so.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_PARSER_H
#define VYKPAV_TOOLS_REPORT_REPORT_PARSER_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "timer/messages.h"

namespace vykpav::report {

using timer::Language;

enum class Outcome {
  kParsed,      // the piece is whole: `at` is its size
  kIncomplete,  // the window ends inside the piece
  kNewReport,   // a new report starts at `at`, inside the piece
  kBroken,      // the bytes at `at` are not what the piece needs: `expected`
};

struct Step {
  Outcome outcome;
  std::size_t at;
  const char* expected = "";
};

// A report's first four lines.
struct ReportOpening {
  Language language;
  std::uint64_t frequency;
  std::string_view date_time;  // the third line without its indent
};

struct AreaBlock {
  std::string_view name;
  std::uint64_t microseconds, milliseconds, seconds;
  std::string_view start_file, end_file;
  std::uint32_t start_line, end_line;
};

// Each reads its piece from the front of `window`; `at_end`: no input
// follows the window.
//
// A report's first four lines, the line break that starts it included.
Step parse_opening(std::string_view window, bool at_end, ReportOpening& out);
// One area block of a report in `language`, its empty line included.
Step parse_block(std::string_view window, bool at_end, Language language, AreaBlock& out);
// The two empty lines and the notice that close a report, up to the line
// break that starts the next one (or the end of the input). They come next
// where the window starts with a line break, an area block otherwise.
Step parse_closing(std::string_view window, bool at_end, std::string_view& notice);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_PARSER_H
