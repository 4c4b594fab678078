// Every text the timer shows or writes, in English and in Russian (cp1251).
#ifndef VYKPAV_TIMER_MESSAGES_H
#define VYKPAV_TIMER_MESSAGES_H

#include <string_view>

#include "timer/message_language.h"

namespace vykpav::timer {

struct Messages {
  // The error box when there is no high-resolution counter.
  const char* error_caption;
  const char* error_text;
  // The report's fixed pieces, in the order they appear.
  std::string_view frequency_label;    // "   Central processor frequency - "
  std::string_view frequency_unit;     // " Hz."
  std::string_view head_word;          // "microseconds"
  std::string_view velocity_label;     // "Velocity - "
  std::string_view microseconds_unit;  // " micsec. or "
  std::string_view milliseconds_unit;  // " msec. or "
  std::string_view seconds_unit;       // " sec."
  std::string_view begin_label;        // "Beginning of code in file - "
  std::string_view end_label;          // "End of code in file - "
  std::string_view line_label;         // ", on line - "
};

const Messages& messages(Language language) noexcept;

// The last line of every report, the same in both languages.
inline constexpr std::string_view kReportNotice = "Selvorin VYK_PAV code area timer";

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_MESSAGES_H
