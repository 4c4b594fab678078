// The timer's table and marks, driven through the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "number/u64.h"
#include "platform/cp1251.h"
#include "platform/platform.h"
#include "platform/system_counter.h"
#include "support/fake_platform.h"
#include "support/timer_table.h"
#include "timer/timer.h"

namespace {

using testing_support::area_names;
using testing_support::area_record;
using testing_support::FakePlatform;
using vykpav::number::to_u64;
using vykpav::timer::Timer;
using vykpav::timer::VYS_BD;

TEST(Timer, NumberedAreasAreKeyedInByteOrder) {
  FakePlatform fake;
  Timer timer(12, nullptr, fake);
  EXPECT_EQ(area_names(timer), (std::vector<std::string>{"0", "1", "10", "11", "2", "3", "4", "5",
                                                         "6", "7", "8", "9"}));
  EXPECT_EQ(to_u64(timer.frequency()), fake.frequency);
  EXPECT_EQ(fake.counter_reads, 0) << "construction reads only the frequency";
}

TEST(Timer, NumberedAreasAreEveryNumberOnceInByteOrder) {
  // Counts around the powers of ten, where the byte order turns.
  for (std::uint32_t count : {1u, 2u, 9u, 10u, 11u, 99u, 100u, 101u, 999u, 1000u, 4321u, 100000u}) {
    SCOPED_TRACE(count);
    FakePlatform fake;
    Timer timer(count, nullptr, fake);
    std::vector<std::string> expected;
    for (std::uint32_t i = 0; i < count; ++i) expected.push_back(std::to_string(i));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(area_names(timer), expected);
  }
}

TEST(Timer, NamedAreasFormOneEntryPerDistinctName) {
  struct Case {
    const char* name;
    std::vector<const char*> names;
    std::vector<std::string> keys;
  };
  const Case cases[] = {
      {"duplicates", {"b", "a", "b", "a"}, {"a", "b"}},
      {"case-sensitive", {"area", "Area", "AREA"}, {"AREA", "Area", "area"}},
      {"empty name", {"", "x"}, {"", "x"}},
      {"null entries skipped", {"x", nullptr, "y", nullptr}, {"x", "y"}},
      {"prefix first, high bytes last", {"\xE0", "ab", "a", "~"}, {"a", "ab", "~", "\xE0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform fake;
    Timer timer(static_cast<std::uint32_t>(c.names.size()), c.names.data(), fake);
    EXPECT_EQ(area_names(timer), c.keys);
  }
}

TEST(Timer, CountZeroReadsNothingFromTheNames) {
  FakePlatform fake;
  // An address that must never be read.
  const char* const* unreadable = reinterpret_cast<const char* const*>(alignof(const char*));
  for (const char* const* names : {unreadable, static_cast<const char* const*>(nullptr)}) {
    Timer timer(0, names, fake);
    EXPECT_TRUE(area_names(timer).empty());
    timer.begin("0", "f.cpp", 1);
    EXPECT_EQ(fake.counter_reads, 0);
  }
}

TEST(Timer, MarksThatCannotApplyChangeNothing) {
  FakePlatform fake;
  const char* names[] = {"a", ""};
  Timer timer(2, names, fake);
  timer.begin(nullptr, "f.cpp", 1);
  timer.end(nullptr, "f.cpp", 1);
  timer.begin("a", nullptr, 1);
  timer.end("a", nullptr, 1);
  timer.begin("unknown", "f.cpp", 1);
  timer.end("A", "f.cpp", 1);
  EXPECT_EQ(fake.counter_reads, 0);
  EXPECT_EQ(area_names(timer), (std::vector<std::string>{"", "a"})) << "the table never grows";
  EXPECT_EQ(area_record(timer, "a").start_file, "");
  EXPECT_EQ(area_record(timer, "a").start_ticks, 0u);

  fake.now = 77;
  timer.begin("", "empty.cpp", 3);
  EXPECT_EQ(to_u64(area_record(timer, "").start_ticks), 77u) << "the empty name is a valid area";
}

TEST(Timer, EachMarkKeepsTheLatestOfItsKind) {
  FakePlatform fake;
  const char* names[] = {"a"};
  Timer timer(1, names, fake);
  fake.now = 10;
  timer.begin("a", "first.cpp", 1);
  fake.now = 20;
  timer.begin("a", "second.cpp", -2);
  const VYS_BD& a = area_record(timer, "a");
  EXPECT_EQ(to_u64(a.start_ticks), 20u);
  EXPECT_EQ(a.start_file, "second.cpp");
  EXPECT_EQ(a.start_line, -2) << "lines are recorded unchanged";
  EXPECT_EQ(a.end_ticks, 0u);

  fake.now = 30;
  timer.end("a", "end.cpp", 9);
  fake.now = 40;
  timer.begin("a", "third.cpp", 3);
  EXPECT_EQ(to_u64(a.start_ticks), 40u) << "a begin after the end stays as taken";
  EXPECT_EQ(to_u64(a.end_ticks), 30u);
  EXPECT_EQ(a.end_file, "end.cpp");
  EXPECT_EQ(a.end_line, 9);
  EXPECT_EQ(fake.counter_reads, 4) << "one reading per mark";
}

TEST(Timer, EndWithoutBeginLeavesTheBeginEmpty) {
  FakePlatform fake;
  const char* names[] = {"a"};
  Timer timer(1, names, fake);
  fake.now = 55;
  timer.end("a", "end.cpp", 2);
  EXPECT_EQ(area_record(timer, "a").start_ticks, 0u);
  EXPECT_EQ(to_u64(area_record(timer, "a").end_ticks), 55u);
}

TEST(Timer, CounterIsReadLastInBeginAndFirstInEnd) {
  FakePlatform fake;
  const char* names[] = {"a"};
  Timer timer(1, names, fake);
  const VYS_BD& a = area_record(timer, "a");
  std::vector<std::string> seen;
  fake.on_counter_read = [&] {
    seen.push_back(std::string(a.start_file.view()) + "/" + std::to_string(a.start_line) + " " +
                   std::string(a.end_file.view()) + "/" + std::to_string(a.end_line));
  };
  timer.begin("a", "b.cpp", 1);
  timer.end("a", "e.cpp", 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"b.cpp/1 /0", "b.cpp/1 /0"}));
}

// Over the system's provider the marks read its counter without calling
// the provider: the same clock all the same, read once by each mark.
TEST(Timer, OverTheSystemProviderMarksReadTheSystemCounter) {
  vykpav::platform::Platform& system = vykpav::platform::system_platform();
  const char* names[] = {"a"};
  Timer timer(1, names, system);
  const std::uint64_t before = system.counter_ticks();
  timer.begin("a", "f.cpp", 1);
  timer.end("a", "f.cpp", 2);
  const std::uint64_t after = vykpav::platform::system_counter_ticks();
  const VYS_BD& a = area_record(timer, "a");
  EXPECT_LE(before, to_u64(a.start_ticks));
  EXPECT_LE(to_u64(a.start_ticks), to_u64(a.end_ticks));
  EXPECT_LE(to_u64(a.end_ticks), after);
  EXPECT_EQ(a.end_line, 2);
}

TEST(Timer, TextsAreCopiedSoCallersMayFreeThem) {
  FakePlatform fake;
  auto name = std::make_unique<char[]>(8);
  std::strcpy(name.get(), "area");
  const char* names[] = {name.get()};
  Timer timer(1, names, fake);
  std::strcpy(name.get(), "zzzz");  // the table kept its own copy

  auto area = std::make_unique<char[]>(8);
  auto file = std::make_unique<char[]>(16);
  std::strcpy(area.get(), "area");
  std::strcpy(file.get(), "file.cpp");
  timer.begin(area.get(), file.get(), 1);
  file.reset();
  std::strcpy(area.get(), "zzzz");
  EXPECT_EQ(area_names(timer), std::vector<std::string>{"area"});
  EXPECT_EQ(area_record(timer, "area").start_file, "file.cpp");
}

TEST(Timer, ALookupIsConfirmedByTheBytesNotTheAddress) {
  FakePlatform fake;
  const char* names[] = {"one", "two"};
  Timer timer(2, names, fake);
  char area[8] = "one";
  fake.now = 5;
  timer.begin(area, "f.cpp", 1);
  std::strcpy(area, "two");  // same address, another name
  fake.now = 6;
  timer.begin(area, "f.cpp", 2);
  std::strcpy(area, "six");
  timer.begin(area, "f.cpp", 3);
  EXPECT_EQ(to_u64(area_record(timer, "one").start_ticks), 5u);
  EXPECT_EQ(to_u64(area_record(timer, "two").start_ticks), 6u);
  EXPECT_EQ(fake.counter_reads, 2) << "an unknown name at a known address is ignored";
}

TEST(Timer, WithoutACounterTheTimerIsInert) {
  struct Case {
    const char* name;
    std::uint16_t language_id;
    bool reports_success_with_zero;
    std::string caption, text;
  };
  const Case cases[] = {
      {"English", 0x0409, false, "ERROR.",
       "Your equipment does not support a high-resolution performance counter."},
      {"Russian, sub-language ignored", 0x0819, false, "ОШИБКА.",
       "Ваше оборудование не поддерживает счетчик исполнения с высоким разрешением."},
      {"zero frequency counts as no counter", 0x0409, true, "ERROR.",
       "Your equipment does not support a high-resolution performance counter."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlatform fake;
    fake.has_counter = c.reports_success_with_zero;
    fake.frequency = 0;
    fake.language_id = c.language_id;
    const char* names[] = {"a"};
    Timer timer(1, names, fake);
    ASSERT_EQ(fake.error_boxes.size(), 1u);
    EXPECT_EQ(vykpav::platform::cp1251_to_utf8(fake.error_boxes[0].first), c.caption);
    EXPECT_EQ(vykpav::platform::cp1251_to_utf8(fake.error_boxes[0].second), c.text);
    EXPECT_EQ(timer.area_table(), nullptr);
    timer.begin("a", "f.cpp", 1);
    timer.end("a", "f.cpp", 2);
    EXPECT_EQ(fake.counter_reads, 0);
    timer.report("never-written.txt");
    EXPECT_EQ(fake.date_queries, 0) << "an inert report stops before the date";
    EXPECT_EQ(fake.error_boxes.size(), 1u) << "the box is shown once";
  }
}

}  // namespace
