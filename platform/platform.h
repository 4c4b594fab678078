// The library's one window on the operating system.
//
// Everything the timer asks of the system goes through this interface: the
// high-resolution counter and its frequency, the system's default language,
// the error box, and the current date and time as text. Each build has one
// provider (Win32 or POSIX); tests put a deterministic fake in its place.
#ifndef VYKPAV_PLATFORM_PLATFORM_H
#define VYKPAV_PLATFORM_PLATFORM_H

#include <cstdint>
#include <string>

namespace vykpav::platform {

class Platform {
 public:
  virtual ~Platform() = default;

  // The high-resolution counter: its ticks per second (false when the system
  // has no such counter), and one reading.
  virtual bool counter_frequency(std::uint64_t& ticks_per_second) = 0;
  virtual std::uint64_t counter_ticks() = 0;
  // The system default language identifier (primary language in bits 0-9).
  virtual std::uint16_t default_language_id() = 0;
  // Shows an error to the user; caption and text are single-byte texts in the
  // code page of the message language (cp1251 for Russian).
  virtual void show_error_box(const char* caption, const char* text) = 0;
  // The current local date in the locale's short date format, and the current
  // local time in its time format; empty when the system cannot tell.
  virtual std::string local_date_text() = 0;
  virtual std::string local_time_text() = 0;
};

// The provider of this build.
Platform& system_platform();

// The provider timers use: the system's, unless a test has put its own in
// place. Read once, when a timer is constructed.
Platform& current_platform();

// Puts `replacement` in place of the system provider for its lifetime.
class ScopedPlatformOverride {
 public:
  explicit ScopedPlatformOverride(Platform& replacement);
  ~ScopedPlatformOverride();
  ScopedPlatformOverride(const ScopedPlatformOverride&) = delete;
  ScopedPlatformOverride& operator=(const ScopedPlatformOverride&) = delete;

 private:
  Platform* previous_;
};

}  // namespace vykpav::platform

#endif  // VYKPAV_PLATFORM_PLATFORM_H
