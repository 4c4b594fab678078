// The POSIX provider: language and codeset from the environment, the error
// box on standard error, the clock, the date and time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace {

using vykpav::platform::system_platform;

// Sets the locale variables for one case and puts the old values back.
class LocaleEnvironment {
 public:
  explicit LocaleEnvironment(const std::map<std::string, std::string>& values) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LC_TIME", "LANG"}) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      unsetenv(name);
    }
    for (const auto& [name, value] : values) setenv(name.c_str(), value.c_str(), 1);
  }
  ~LocaleEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value)
        setenv(name.c_str(), value->c_str(), 1);
      else
        unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(PosixPlatform, LanguageComesFromTheLocaleEnvironment) {
  struct Case {
    std::map<std::string, std::string> environment;
    std::uint16_t language_id;
  };
  const Case cases[] = {
      {{}, 0x0409},
      {{{"LANG", "C"}}, 0x0409},
      {{{"LANG", "ru_RU.UTF-8"}}, 0x0419},
      {{{"LANG", "ru"}}, 0x0419},
      {{{"LANG", "ru@latin"}}, 0x0419},
      {{{"LANG", "rus_RUS"}}, 0x0409},
      {{{"LC_MESSAGES", "ru_UA.KOI8-U"}, {"LANG", "en_US.UTF-8"}}, 0x0419},
      {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ru_RU"}, {"LANG", "ru_RU"}}, 0x0409},
      {{{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "ru_RU.CP1251"}}, 0x0419},
  };
  for (const Case& c : cases) {
    LocaleEnvironment environment(c.environment);
    std::string described;
    for (const auto& [name, value] : c.environment) described += name + "=" + value + " ";
    EXPECT_EQ(system_platform().default_language_id(), c.language_id) << described;
  }
}

TEST(PosixPlatform, ErrorBoxGoesToStandardErrorInTheTerminalsCodeset) {
  const std::string caption = "\xCE\xD8\xC8\xC1\xCA\xC0.";  // "ОШИБКА." in cp1251
  struct Case {
    std::map<std::string, std::string> environment;
    std::string shown;
  };
  const Case cases[] = {
      {{{"LANG", "ru_RU.UTF-8"}}, "ОШИБКА. text\n"},
      {{{"LC_ALL", "C.UTF-8"}}, "ОШИБКА. text\n"},
      {{{"LC_CTYPE", "ru_RU.utf8"}}, "ОШИБКА. text\n"},
      {{{"LANG", "ru_RU.CP1251"}}, caption + " text\n"},
      {{{"LANG", "C"}}, caption + " text\n"},
  };
  for (const Case& c : cases) {
    LocaleEnvironment environment(c.environment);
    ::testing::internal::CaptureStderr();
    system_platform().show_error_box(caption.c_str(), "text");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.shown)
        << c.environment.begin()->first << "=" << c.environment.begin()->second;
  }
}

TEST(PosixPlatform, CounterCountsNanosecondsMonotonically) {
  std::uint64_t frequency = 0;
  ASSERT_TRUE(system_platform().counter_frequency(frequency));
  EXPECT_EQ(frequency, 1000000000u);
  std::uint64_t previous = system_platform().counter_ticks();
  EXPECT_GT(previous, 0u) << "a zero reading would look like an area never begun";
  for (int i = 0; i < 1000; ++i) {
    const std::uint64_t now = system_platform().counter_ticks();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

// True when `text` has the shape of `pattern`, where '9' stands for any digit.
bool has_shape(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (pattern[i] == '9' ? !digit : text[i] != pattern[i]) return false;
  }
  return true;
}

TEST(PosixPlatform, DateAndTimeFollowTheLocaleOrFallBackToC) {
  for (const char* locale : {"C", "no_SUCH.locale"}) {
    LocaleEnvironment environment(std::map<std::string, std::string>{{"LC_ALL", locale}});
    const std::string date = system_platform().local_date_text();
    const std::string time = system_platform().local_time_text();
    EXPECT_TRUE(has_shape(date, "99/99/99")) << locale << ": " << date;
    EXPECT_TRUE(has_shape(time, "99:99:99")) << locale << ": " << time;
  }
}

}  // namespace
