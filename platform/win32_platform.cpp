// The Win32 provider: the performance counter, the system default language,
// a system-modal message box, and the date and time of the system default
// locale.
#include <windows.h>

#include "platform/platform.h"

namespace vykpav::platform {

namespace {

constexpr UINT kErrorBoxStyle = MB_OK | MB_ICONERROR | MB_SYSTEMMODAL;  // 0x1010
constexpr int kDateTimeBufferSize = 64;

class Win32Platform final : public Platform {
 public:
  bool counter_frequency(std::uint64_t& ticks_per_second) override {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return false;
    ticks_per_second = static_cast<std::uint64_t>(frequency.QuadPart);
    return true;
  }

  std::uint64_t counter_ticks() override {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(now.QuadPart);
  }

  std::uint16_t default_language_id() override { return GetSystemDefaultLangID(); }

  void show_error_box(const char* caption, const char* text) override {
    MessageBoxA(nullptr, text, caption, kErrorBoxStyle);
  }

  // A failed call leaves the zero-filled buffer, so the text is then empty.
  std::string local_date_text() override {
    char buffer[kDateTimeBufferSize] = {};
    GetDateFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, buffer, kDateTimeBufferSize);
    return buffer;
  }

  std::string local_time_text() override {
    char buffer[kDateTimeBufferSize] = {};
    GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, nullptr, nullptr, buffer, kDateTimeBufferSize);
    return buffer;
  }
};

}  // namespace

Platform& system_platform() {
  static Win32Platform provider;
  return provider;
}

}  // namespace vykpav::platform
