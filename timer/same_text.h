// Whether a caller's text is a text the timer holds, as the marks ask of
// every name and file text they are given.
#ifndef VYKPAV_TIMER_SAME_TEXT_H
#define VYKPAV_TIMER_SAME_TEXT_H

#include <cstring>  // std::strcmp

namespace vykpav::timer {

// True when the zero-terminated `text` holds exactly the bytes of the
// zero-terminated `held`. `text` is read only up to its first byte that
// differs or its zero byte, never past its end: the caller's text may end
// anywhere, at the end of a page too.
inline bool same_text(const char* held, const char* text) noexcept {
  return std::strcmp(held, text) == 0;
}

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_SAME_TEXT_H
