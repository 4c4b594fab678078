// The message language, and every text the timer shows or writes in it:
// English, or Russian in cp1251.
#ifndef VYKPAV_TIMER_MESSAGES_H
#define VYKPAV_TIMER_MESSAGES_H

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vykpav::timer {

enum class Language { English, Russian };

// The one rule that picks the language: Russian when the primary language
// (bits 0-9) of the system default language identifier is Russian (0x19),
// whatever the sub-language.
constexpr Language message_language(std::uint16_t language_id) noexcept {
  return (language_id & 0x3FFu) == 0x19u ? Language::Russian : Language::English;
}

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

// The report's pieces that are the same in both languages; the report is
// written with them and vykpav-report reads it with them.
inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kDots =
    "......................................................................";
inline constexpr std::string_view kHeadMiddle = ": __________ ";
inline constexpr std::string_view kHeadEnd = " __________";
inline constexpr std::string_view kDateIndent = "        ";
inline constexpr std::string_view kDateTimeGap = "  ";
// The longest decimal text VsStr writes, 20 digits in groups of three: also
// the width of every head line's number.
inline constexpr std::size_t kLongestGroupedNumber = 26;
inline constexpr std::size_t kLongestLineNumber = 10;  // 4294967295
// The last line of every report.
inline constexpr std::string_view kReportNotice = "Selvorin VYK_PAV code area timer";

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_MESSAGES_H
