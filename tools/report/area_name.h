// Area names as the tool shows them. A report holds a name's bytes as the
// host passed them: UTF-8 from most sources today, code page 1251 from a
// Russian Windows host. The tool works in UTF-8 throughout.
#ifndef VYKPAV_TOOLS_REPORT_AREA_NAME_H
#define VYKPAV_TOOLS_REPORT_AREA_NAME_H

#include <cstddef>
#include <string>
#include <string_view>

namespace vykpav::report {

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool is_utf8(std::string_view bytes) noexcept;

// Replaces `out` by the name in UTF-8: the bytes themselves when they are
// UTF-8 already, otherwise the bytes read as cp1251.
void assign_utf8_name(std::string& out, std::string_view bytes);

// A UTF-8 name for a terminal or a chart: control characters (a report may
// hold any byte in a name, line breaks too) become \r, \n, \t or \xHH.
std::string printable_name(std::string_view utf8);

// The columns a printable UTF-8 text takes: one per code point.
std::size_t display_width(std::string_view utf8) noexcept;

// display_width(printable_name(utf8)), without making the text; `plain`,
// where given, says whether printable_name would keep the text as it is.
std::size_t printable_width(std::string_view utf8, bool* plain = nullptr) noexcept;

// At most `columns` code points of a printable UTF-8 text, the last one an
// ellipsis when some were left out.
std::string shortened(std::string_view utf8, std::size_t columns);

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_AREA_NAME_H
