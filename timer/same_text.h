// Whether a caller's text is a text the timer holds, as the marks ask of
// every name and file text they are given.
#ifndef VYKPAV_TIMER_SAME_TEXT_H
#define VYKPAV_TIMER_SAME_TEXT_H

#include <cstddef>
#include <cstring>  // std::strcmp

namespace vykpav::timer {

// True when the zero-terminated `text` holds exactly the `length` bytes at
// `held` (which a zero byte follows). `text` is read only up to its first
// byte that differs or its zero byte, never past its end: the caller's text
// may end anywhere, at the end of a page too.
inline bool same_text(const char* held, std::size_t length, const char* text) noexcept {
#if defined(__GLIBC__)
  // One call and one pass: glibc compares whole vectors, each read inside
  // one page.
  (void)length;
  return std::strcmp(held, text) == 0;
#else
  // Other C libraries (Wine's msvcrt among them) compare a byte at a time
  // behind the call; this does the same without it, four bytes to a trip,
  // each byte read only once the one before it matched.
  std::size_t i = 0;
  for (; i + 4 <= length; i += 4) {
    if (text[i] != held[i] || text[i + 1] != held[i + 1] || text[i + 2] != held[i + 2] ||
        text[i + 3] != held[i + 3])
      return false;
  }
  for (; i < length; ++i)
    if (text[i] != held[i]) return false;
  return text[length] == '\0';
#endif
}

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_SAME_TEXT_H
