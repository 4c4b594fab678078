// The fixed pieces of a report, as the library writes them: its texts in
// both languages come from the library's own message table, so the reader
// and the writer cannot drift apart.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_PIECES_H
#define VYKPAV_TOOLS_REPORT_REPORT_PIECES_H

#include <cstddef>
#include <string>
#include <string_view>

#include "timer/messages.h"

namespace vykpav::report {

using timer::Language;
using timer::Messages;

inline constexpr std::string_view kLineBreak = "\r\n";
inline constexpr std::string_view kDots =
    "......................................................................";
inline constexpr std::string_view kHeadMiddle = ": __________ ";
inline constexpr std::string_view kHeadEnd = " __________";
inline constexpr std::string_view kDateIndent = "        ";
// The head line's microseconds: 20 digits in groups of three, zero-filled.
inline constexpr std::size_t kHeadNumberWidth = 26;
// The longest line number: 4294967295.
inline constexpr std::size_t kLongestLineNumber = 10;

inline constexpr Language kLanguages[] = {Language::English, Language::Russian};

inline const Messages& texts(Language language) noexcept { return timer::messages(language); }

// Fixed pieces that follow one another with nothing between them, joined,
// so that each run is compared at once.
struct JoinedPieces {
  std::string head_rest;    // " ", the head word, ": __________ "
  std::string name_tail;    // " __________", line break, the dots, line break, velocity label
  std::string begin_start;  // seconds unit, line break, begin label, quotation mark
  std::string end_start;    // end label, quotation mark
};

const JoinedPieces& joined_pieces(Language language);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_PIECES_H
