#include "timer/messages.h"

#include "platform/cp1251.h"

namespace vykpav::timer {

namespace {

using platform::to_cp1251;

// Written here in UTF-8, held in cp1251: converted while compiling.
constexpr auto kRuCaption = to_cp1251("ОШИБКА.");
constexpr auto kRuText =
    to_cp1251("Ваше оборудование не поддерживает счетчик исполнения с высоким разрешением.");
constexpr auto kRuFrequencyLabel = to_cp1251("   Частота центрального процессора - ");
constexpr auto kRuFrequencyUnit = to_cp1251(" Гц.");
constexpr auto kRuHeadWord = to_cp1251("микросекунд");
constexpr auto kRuVelocityLabel = to_cp1251("Скорость - ");
constexpr auto kRuMicroseconds = to_cp1251(" мксек. или ");
constexpr auto kRuMilliseconds = to_cp1251(" мсек. или ");
constexpr auto kRuSeconds = to_cp1251(" сек.");
constexpr auto kRuBeginLabel = to_cp1251("Начало кода в файле - ");
constexpr auto kRuEndLabel = to_cp1251("Конец кода в файле - ");
constexpr auto kRuLineLabel = to_cp1251(", на строке - ");

constexpr Messages kEnglish = {
    "ERROR.",
    "Your equipment does not support a high-resolution performance counter.",
    "   Central processor frequency - ",
    " Hz.",
    "microseconds",
    "Velocity - ",
    " micsec. or ",
    " msec. or ",
    " sec.",
    "Beginning of code in file - ",
    "End of code in file - ",
    ", on line - ",
};

constexpr Messages kRussian = {
    kRuCaption.c_str(), kRuText.c_str(),         kRuFrequencyLabel.view(), kRuFrequencyUnit.view(),
    kRuHeadWord.view(), kRuVelocityLabel.view(), kRuMicroseconds.view(),   kRuMilliseconds.view(),
    kRuSeconds.view(),  kRuBeginLabel.view(),    kRuEndLabel.view(),       kRuLineLabel.view(),
};

}  // namespace

const Messages& messages(Language language) noexcept {
  return language == Language::Russian ? kRussian : kEnglish;
}

}  // namespace vykpav::timer
