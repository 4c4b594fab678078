// Splits a report into its lines at CR LF; the last element is the text
// after the last break (the closing notice).
#ifndef VYKPAV_TESTS_SUPPORT_REPORT_LINES_H
#define VYKPAV_TESTS_SUPPORT_REPORT_LINES_H

#include <string>
#include <vector>

namespace testing_support {

inline std::vector<std::string> report_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  lines.push_back(text.substr(from));
  return lines;
}

}  // namespace testing_support

#endif  // VYKPAV_TESTS_SUPPORT_REPORT_LINES_H
