// A host of the shared library on the system's own clock, language, date and
// time: it times real areas, writes the report and checks its bytes. Run
// once per language; VYKPAV_E2E_LANGUAGE says which texts to expect ("en" or
// "ru"), the locale environment makes the system choose them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <locale.h>
#endif

#include "selvorin/marks.h"
#include "selvorin/vyk_pav.h"
#include "support/report_lines.h"

namespace {

std::uint64_t real_frequency() {
#if defined(_WIN32)
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<std::uint64_t>(frequency.QuadPart);
#else
  return 1000000000;  // the monotonic clock counts nanoseconds
#endif
}

// n in groups of three digits separated by spaces.
std::string grouped(std::uint64_t n) {
  std::string digits = std::to_string(n), out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return out;
}

std::uint64_t ungrouped(const std::string& text) {
  std::string digits;
  for (char c : text)
    if (c != ' ') digits += c;
  return std::stoull(digits);
}

// True when `text` has the shape of `pattern`: '9' is one digit, '#' one or
// more digits, every other character stands for itself.
bool has_shape(const std::string& text, const std::string& pattern) {
  std::size_t t = 0;
  for (char p : pattern) {
    if (p == '9') {
      if (t >= text.size() || text[t] < '0' || text[t] > '9') return false;
      ++t;
    } else if (p == '#') {
      const std::size_t start = t;
      while (t < text.size() && text[t] >= '0' && text[t] <= '9') ++t;
      if (t == start) return false;
    } else if (t >= text.size() || text[t++] != p) {
      return false;
    }
  }
  return t == text.size();
}

struct Texts {
  std::string frequency_label, hertz, head_word, velocity, micro, milli, seconds;
  std::vector<std::string> date_shapes, time_shapes;
};

Texts expected_texts(bool russian) {
  if (russian) {
    // cp1251 bytes of the Russian texts.
    return {
        "   \xD7\xE0\xF1\xF2\xEE\xF2\xE0 \xF6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xEE\xE3\xEE "
        "\xEF\xF0\xEE\xF6\xE5\xF1\xF1\xEE\xF0\xE0 - ",
        " \xC3\xF6.",
        "\xEC\xE8\xEA\xF0\xEE\xF1\xE5\xEA\xF3\xED\xE4",
        "\xD1\xEA\xEE\xF0\xEE\xF1\xF2\xFC - ",
        " \xEC\xEA\xF1\xE5\xEA. \xE8\xEB\xE8 ",
        " \xEC\xF1\xE5\xEA. \xE8\xEB\xE8 ",
        " \xF1\xE5\xEA.",
        {"99.99.9999"},
        {"#:99:99"}};
  }
  return {"   Central processor frequency - ",
          " Hz.",
          "microseconds",
          "Velocity - ",
          " micsec. or ",
          " msec. or ",
          " sec.",
          {"#/#/9999"},
          {"#:99:99 AM", "#:99:99 PM", "99:99:99"}};
}

bool matches_any(const std::string& text, const std::vector<std::string>& shapes) {
  for (const std::string& shape : shapes)
    if (has_shape(text, shape)) return true;
  return false;
}

TEST(EndToEnd, ReportOfRealAreasOnTheSystemsClockLanguageAndDate) {
  const char* language = std::getenv("VYKPAV_E2E_LANGUAGE");
  ASSERT_NE(language, nullptr) << "set VYKPAV_E2E_LANGUAGE to en or ru";
  const bool russian = std::string(language) == "ru";
  Texts texts = expected_texts(russian);
#if !defined(_WIN32)
  // Without the Russian locale installed, the date and time fall back to C.
  if (locale_t ru = newlocale(LC_TIME_MASK, "ru_RU.UTF-8", static_cast<locale_t>(nullptr))) {
    freelocale(ru);
  } else if (russian) {
    texts.date_shapes = {"99/99/99"};
    texts.time_shapes = {"99:99:99"};
  }
  if (!russian) texts.date_shapes = {"99/99/99", "99/99/9999"};
#endif

  const char* names[] = {"sleep 20 ms", "sleep 5 ms", "never ended", "never begun"};
  Selvorin::VYK_PAV timer(4, names);
  VYK_PAV_BEGIN(timer, "sleep 20 ms");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  VYK_PAV_END(timer, "sleep 20 ms");
  {
    VYK_PAV_SCOPE(timer, "sleep 5 ms");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  VYK_PAV_BEGIN(timer, "never ended");

  const std::string path = std::string("vykpav_e2e_") + language + ".txt";
  std::remove(path.c_str());
  timer.pokaz(path.c_str());
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "no report written";
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::remove(path.c_str());

  // Line structure: every break is CR LF, and the notice ends the text.
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
    }
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
    }
  }
  const std::vector<std::string> lines = testing_support::report_lines(text);
  ASSERT_EQ(lines.size(), 4u + 3 * 6 + 3) << text;
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], texts.frequency_label + grouped(real_frequency()) + texts.hertz);
  ASSERT_EQ(lines[2].substr(0, 8), "        ");
  const std::size_t gap = lines[2].find("  ", 8);
  ASSERT_NE(gap, std::string::npos) << lines[2];
  const std::string date = lines[2].substr(8, gap - 8), time = lines[2].substr(gap + 2);
  EXPECT_TRUE(matches_any(date, texts.date_shapes)) << "date " << date;
  EXPECT_TRUE(matches_any(time, texts.time_shapes)) << "time " << time;
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[lines.size() - 3], "");
  EXPECT_EQ(lines[lines.size() - 2], "");
  EXPECT_EQ(lines.back(), "Selvorin VYK_PAV code area timer");

  // Blocks: the never-ended area first, then 5 ms, then 20 ms; the area never
  // begun is absent.
  const char* order[] = {"never ended", "sleep 5 ms", "sleep 20 ms"};
  std::uint64_t previous = 0;
  for (int b = 0; b < 3; ++b) {
    SCOPED_TRACE(order[b]);
    const std::vector<std::string> block(lines.begin() + 4 + 6 * b, lines.begin() + 10 + 6 * b);
    const std::string head_tail =
        " " + texts.head_word + ": __________ " + order[b] + " __________";
    ASSERT_EQ(block[0].size(), 26 + head_tail.size()) << block[0];
    EXPECT_EQ(block[0].substr(26), head_tail);
    const std::uint64_t micro = ungrouped(block[0].substr(0, 26));
    EXPECT_EQ(block[1], std::string(70, '.'));
    EXPECT_EQ(block[2], texts.velocity + grouped(micro) + texts.micro + grouped(micro / 1000) +
                            texts.milli + grouped(micro / 1000000) + texts.seconds);
    EXPECT_EQ(block[5], "");
    EXPECT_GE(micro, previous);
    previous = micro;
    if (b == 0) {
      EXPECT_EQ(micro, 0u);
    }
    if (b == 1) {
      EXPECT_GE(micro, 4500u);
      EXPECT_LT(micro, 5000000u);
    }
    if (b == 2) {
      EXPECT_GE(micro, 19000u);
      EXPECT_LT(micro, 20000000u);
    }
  }
}

}  // namespace
