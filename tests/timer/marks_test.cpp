// The host helpers: marks that pass __FILE__ and __LINE__, and the scoped
// guard.
#include <gtest/gtest.h>

#include <string>

#include "selvorin/marks.h"
#include "support/fake_platform.h"
#include "timer/report_buffer.h"

int evaluations_in_disabled_unit();  // marks_disabled_unit.cpp

namespace {

using testing_support::FakePlatform;

std::string report_of(Selvorin::VYK_PAV& timer) {
  timer.pokaz("");  // assembled, not written
  vykpav::timer::LockedReportBuffer buffer;
  return buffer.text();
}

TEST(Marks, MacrosRecordThisFileAndLine) {
  FakePlatform fake;
  vykpav::platform::ScopedPlatformOverride use_fake(fake);
  const char* names[] = {"area"};
  Selvorin::VYK_PAV timer(1, names);
  VYK_PAV_BEGIN(timer, "area");
  const int begin_line = __LINE__ - 1;
  fake.now += 10;
  VYK_PAV_END(timer, "area");
  const int end_line = __LINE__ - 1;
  const std::string text = report_of(timer);
  EXPECT_NE(text.find("Beginning of code in file - \"" __FILE__ "\", on line - " +
                      std::to_string(begin_line) + "\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("End of code in file - \"" __FILE__ "\", on line - " +
                      std::to_string(end_line) + "\r\n"),
            std::string::npos);
}

TEST(Marks, ScopeGuardEndsWhenTheScopeCloses) {
  FakePlatform fake;
  vykpav::platform::ScopedPlatformOverride use_fake(fake);
  const char* names[] = {"scoped"};
  Selvorin::VYK_PAV timer(1, names);
  fake.now = 100;
  {
    VYK_PAV_SCOPE(timer, "scoped");
    EXPECT_EQ(fake.counter_reads, 1);
    fake.now = 100 + 250;  // 25 microseconds at 10 MHz
  }
  EXPECT_EQ(fake.counter_reads, 2);
  EXPECT_NE(report_of(timer).find("Velocity - 25 micsec."), std::string::npos);
}

TEST(Marks, DisabledMacrosEvaluateNothing) { EXPECT_EQ(evaluations_in_disabled_unit(), 0); }

}  // namespace
