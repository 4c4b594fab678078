// The one rule that picks the Russian or the English texts.
#ifndef VYKPAV_TIMER_MESSAGE_LANGUAGE_H
#define VYKPAV_TIMER_MESSAGE_LANGUAGE_H

#include <cstdint>

namespace vykpav::timer {

enum class Language { English, Russian };

// Russian when the primary language (bits 0-9) of the system default
// language identifier is Russian (0x19), whatever the sub-language.
constexpr Language message_language(std::uint16_t language_id) noexcept {
  return (language_id & 0x3FFu) == 0x19u ? Language::Russian : Language::English;
}

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_MESSAGE_LANGUAGE_H
