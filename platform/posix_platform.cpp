// The POSIX provider: the monotonic clock in nanoseconds, the language and
// codeset from the locale environment, the error box on standard error, and
// the date and time in the environment's locale.
#include <langinfo.h>
#include <locale.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/cp1251.h"
#include "platform/platform.h"

namespace vykpav::platform {

namespace {

constexpr std::uint64_t kNanosecondsPerSecond = 1000000000;
constexpr std::uint16_t kRussianLanguageId = 0x0419;  // Russian (Russia)
constexpr std::uint16_t kEnglishLanguageId = 0x0409;  // English (United States)

// The first of the given environment variables that is set and not empty,
// the order in which the C library resolves a locale category.
std::string_view locale_setting(const char* first, const char* second) {
  for (const char* name : {"LC_ALL", first, second}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

bool names_utf8_codeset(std::string_view locale_name) {
  const std::size_t dot = locale_name.find('.');
  if (dot == std::string_view::npos) return false;
  std::string codeset;
  for (char c : locale_name.substr(dot + 1)) {
    if (c == '@') break;
    if (c != '-') codeset += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  return codeset == "utf8";
}

bool terminal_expects_utf8() {
  locale_t ctype = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr));
  if (ctype != static_cast<locale_t>(nullptr)) {
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, ctype), "UTF-8") == 0;
    freelocale(ctype);
    return utf8;
  }
  // The locale is named but not installed: go by its name.
  return names_utf8_codeset(locale_setting("LC_CTYPE", "LANG"));
}

std::string local_time_formatted(const char* format) {
  locale_t time_locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
  if (time_locale == static_cast<locale_t>(nullptr))
    time_locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  if (time_locale == static_cast<locale_t>(nullptr)) return {};
  char buffer[64] = {};
  const time_t now = time(nullptr);
  struct tm local {};
  if (localtime_r(&now, &local) != nullptr)
    strftime_l(buffer, sizeof buffer, format, &local, time_locale);
  freelocale(time_locale);
  return buffer;
}

class PosixPlatform final : public Platform {
 public:
  bool counter_frequency(std::uint64_t& ticks_per_second) override {
    timespec resolution{};
    if (clock_getres(CLOCK_MONOTONIC, &resolution) != 0) return false;
    ticks_per_second = kNanosecondsPerSecond;
    return true;
  }

  std::uint64_t counter_ticks() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * kNanosecondsPerSecond +
           static_cast<std::uint64_t>(now.tv_nsec);
  }

  std::uint16_t default_language_id() override {
    const std::string_view setting = locale_setting("LC_MESSAGES", "LANG");
    const std::string_view language = setting.substr(0, setting.find_first_of("_.@"));
    return language == "ru" ? kRussianLanguageId : kEnglishLanguageId;
  }

  // Never blocks: the caption and text go to standard error, in UTF-8 when
  // the terminal expects it.
  void show_error_box(const char* caption, const char* text) override {
    std::string message = std::string(caption) + " " + text;
    if (terminal_expects_utf8()) message = cp1251_to_utf8(message);
    message += '\n';
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
  }

  std::string local_date_text() override { return local_time_formatted("%x"); }
  std::string local_time_text() override { return local_time_formatted("%X"); }
};

}  // namespace

Platform& system_platform() {
  static PosixPlatform provider;
  return provider;
}

}  // namespace vykpav::platform
