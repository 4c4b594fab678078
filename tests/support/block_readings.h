// The two readings of an area block, side by side: as the library writes
// it (where the last block's file texts come again) and the general one.
// They must agree on every piece of any text, whole or not.
#ifndef VYKPAV_TESTS_SUPPORT_BLOCK_READINGS_H
#define VYKPAV_TESTS_SUPPORT_BLOCK_READINGS_H

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "tools/report/report_parser.h"

namespace report_testing {

// Reads a block at each place in `text` that starts like a head line (at
// most `most` of them, in order), once with the file texts of the blocks
// read before and once with none; returns how the first pair that differs
// differs, or "" when all agree.
inline std::string block_readings_differ(std::string_view text, bool at_end,
                                         std::size_t most = 64) {
  using namespace vykpav::report;
  for (const Language language : kLanguages) {
    LastFileTexts last;
    std::size_t tried = 0;
    for (std::size_t p = 0; p + 3 <= text.size() && tried < most; ++p) {
      if (!is_digit(text[p]) || !is_digit(text[p + 1]) || text[p + 2] != ' ') continue;
      ++tried;
      const ReportParser parser(text.substr(p), at_end);
      AreaBlock quick{}, general{};
      LastFileTexts none;
      const Step a = parser.block(language, quick, last);
      const Step b = parser.block(language, general, none);
      const std::string where = "at byte " + std::to_string(p) + ": ";
      if (a.outcome != b.outcome || a.at != b.at || std::strcmp(a.expected, b.expected) != 0)
        return where + "the steps differ";
      if (a.outcome != Outcome::kParsed) continue;
      if (quick.name != general.name || quick.microseconds != general.microseconds ||
          quick.milliseconds != general.milliseconds || quick.seconds != general.seconds ||
          quick.start_file != general.start_file || quick.end_file != general.end_file ||
          quick.start_line != general.start_line || quick.end_line != general.end_line ||
          quick.line_breaks != general.line_breaks)
        return where + "the blocks differ";
    }
  }
  return "";
}

}  // namespace report_testing

#endif  // VYKPAV_TESTS_SUPPORT_BLOCK_READINGS_H
