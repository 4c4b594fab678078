// A deterministic stand-in for the operating system: the counter returns
// what the test sets, the frequency query can fail, the language and the date
// and time are fixed, and error boxes are recorded instead of shown.
#ifndef VYKPAV_TESTS_SUPPORT_FAKE_PLATFORM_H
#define VYKPAV_TESTS_SUPPORT_FAKE_PLATFORM_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace testing_support {

constexpr std::uint16_t kEnglishUs = 0x0409;
constexpr std::uint16_t kRussian = 0x0419;

class FakePlatform : public vykpav::platform::Platform {
 public:
  bool has_counter = true;
  std::uint64_t frequency = 10000000;
  std::uint64_t now = 1000;  // what the next counter reading returns
  int counter_reads = 0;
  std::function<void()> on_counter_read;  // runs inside each reading
  std::uint16_t language_id = kEnglishUs;
  // Counted atomically: reports of timers on different threads ask at once.
  std::atomic<int> language_queries{0};
  std::vector<std::pair<std::string, std::string>> error_boxes;  // caption, text
  std::string date = "08.12.2026";
  std::string time = "14:35:07";
  std::atomic<int> date_queries{0};

  bool counter_frequency(std::uint64_t& ticks_per_second) override {
    if (!has_counter) return false;
    ticks_per_second = frequency;
    return true;
  }
  std::uint64_t counter_ticks() override {
    ++counter_reads;
    if (on_counter_read) on_counter_read();
    return now;
  }
  std::uint16_t default_language_id() override {
    ++language_queries;
    return language_id;
  }
  void show_error_box(const char* caption, const char* text) override {
    error_boxes.emplace_back(caption, text);
  }
  std::string local_date_text() override {
    ++date_queries;
    return date;
  }
  std::string local_time_text() override { return time; }
};

}  // namespace testing_support

#endif  // VYKPAV_TESTS_SUPPORT_FAKE_PLATFORM_H
