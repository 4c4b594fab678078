// Reading a timer's area table in tests: its names in table order, and the
// record of one area.
#ifndef VYKPAV_TESTS_SUPPORT_TIMER_TABLE_H
#define VYKPAV_TESTS_SUPPORT_TIMER_TABLE_H

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "timer/timer.h"

namespace testing_support {

inline std::vector<std::string> area_names(const vykpav::timer::Timer& timer) {
  std::vector<std::string> names;
  for (const auto& area : timer.area_table()->areas()) names.emplace_back(area.name);
  return names;
}

// Takes a string_view, so that looking a record up allocates nothing.
inline const vykpav::timer::VYS_BD& area_record(const vykpav::timer::Timer& timer,
                                                std::string_view name) {
  for (const auto& area : timer.area_table()->areas())
    if (area.name == name) return area.record;
  ADD_FAILURE() << "no area " << name;
  static const vykpav::timer::VYS_BD none;
  return none;
}

}  // namespace testing_support

namespace vykpav::timer {
// Failed comparisons show a record's file text as text.
inline void PrintTo(const FileTextHandle& text, std::ostream* out) {
  *out << '"' << text.view() << '"';
}
}  // namespace vykpav::timer

#endif  // VYKPAV_TESTS_SUPPORT_TIMER_TABLE_H
