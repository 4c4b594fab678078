// A timer of `count` areas named "area 0000000" and on, each begun once and
// ended once: all begun in name order, then ended in a shuffled order, so
// the elapsed times spread over a range and a report orders them by time and
// by name, as it would a host's.
#ifndef VYKPAV_BENCH_BEGUN_TIMER_H
#define VYKPAV_BENCH_BEGUN_TIMER_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <selvorin/vyk_pav.h>

inline std::unique_ptr<Selvorin::VYK_PAV> make_begun_timer(std::uint32_t count) {
  std::vector<std::string> names(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "area %07u", static_cast<unsigned>(i));
    names[i] = name;
  }
  std::vector<const char*> pointers(count);
  for (std::uint32_t i = 0; i < count; ++i) pointers[i] = names[i].c_str();
  auto timer = std::make_unique<Selvorin::VYK_PAV>(count, pointers.data());
  for (const char* name : pointers) timer->_nachalo(name, __FILE__, __LINE__);
  std::shuffle(pointers.begin(), pointers.end(), std::mt19937(count));
  for (const char* name : pointers) timer->_konec(name, __FILE__, __LINE__);
  return timer;
}

#endif  // VYKPAV_BENCH_BEGUN_TIMER_H
