// The report's exact bytes, assembled from readings driven through a timer
// on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/cp1251.h"
#include "support/fake_platform.h"
#include "support/report_lines.h"
#include "timer/report_composer.h"
#include "timer/timer.h"

namespace {

using Selvorin::VYKNB64;
using testing_support::FakePlatform;
using vykpav::timer::Language;
using vykpav::timer::Timer;

const std::string kDots(70, '.');

// One area's marks: begun at `begin` (0: never begun), ended at `end` (0:
// never ended).
struct Marks {
  const char* name;
  std::uint64_t begin;
  std::uint64_t end;
};

class ReportComposer : public ::testing::Test {
 protected:
  std::string report(std::vector<const char*> names, const std::vector<Marks>& marks,
                     Language language = Language::English) {
    Timer timer(static_cast<std::uint32_t>(names.size()), names.data(), fake_);
    int line = 10;
    for (const Marks& m : marks) {
      if (m.begin != 0) {
        fake_.now = m.begin;
        timer.begin(m.name, "begin.cpp", line);
      }
      if (m.end != 0) {
        fake_.now = m.end;
        timer.end(m.name, "end.cpp", line + 1);
      }
      line += 10;
    }
    std::string out = "left over from an earlier report";
    compose_report(out, {timer.frequency(), language, fake_.date, fake_.time},
                   order_areas(*timer.area_table(), timer.frequency()));
    return out;
  }

  static std::vector<std::string> lines(const std::string& text) {
    return testing_support::report_lines(text);
  }

  static std::vector<std::string> head_lines(const std::string& text) {
    std::vector<std::string> heads;
    const auto all = lines(text);
    for (std::size_t i = 1; i < all.size(); ++i)
      if (all[i] == kDots) heads.push_back(all[i - 1]);
    return heads;
  }

  FakePlatform fake_;
};

TEST_F(ReportComposer, WholeEnglishReportOrdersAreasByElapsedTime) {
  // 10 MHz: B and C take 300 microseconds, A 1200.
  const std::string text =
      report({"A", "B", "C"}, {{"A", 1000, 13000}, {"B", 2000, 5000}, {"C", 100, 3100}});
  const std::string expected =
      "\r\n"
      "   Central processor frequency - 10 000 000 Hz.\r\n"
      "        08.12.2026  14:35:07\r\n"
      "\r\n"
      "00 000 000 000 000 000 300 microseconds: __________ B __________\r\n" +
      kDots +
      "\r\n"
      "Velocity - 300 micsec. or 0 msec. or 0 sec.\r\n"
      "Beginning of code in file - \"begin.cpp\", on line - 20\r\n"
      "End of code in file - \"end.cpp\", on line - 21\r\n"
      "\r\n"
      "00 000 000 000 000 000 300 microseconds: __________ C __________\r\n" +
      kDots +
      "\r\n"
      "Velocity - 300 micsec. or 0 msec. or 0 sec.\r\n"
      "Beginning of code in file - \"begin.cpp\", on line - 30\r\n"
      "End of code in file - \"end.cpp\", on line - 31\r\n"
      "\r\n"
      "00 000 000 000 000 001 200 microseconds: __________ A __________\r\n" +
      kDots +
      "\r\n"
      "Velocity - 1 200 micsec. or 1 msec. or 0 sec.\r\n"
      "Beginning of code in file - \"begin.cpp\", on line - 10\r\n"
      "End of code in file - \"end.cpp\", on line - 11\r\n"
      "\r\n"
      "\r\n"
      "\r\n"
      "Selvorin VYK_PAV code area timer";
  EXPECT_EQ(text, expected);
}

TEST_F(ReportComposer, WholeRussianReportIsInCodePage1251) {
  fake_.frequency = 3579545;
  const std::string text = report({"Z"}, {{"Z", 500, 0}}, Language::Russian);
  const std::string expected_utf8 =
      "\r\n"
      "   Частота центрального процессора - 3 579 545 Гц.\r\n"
      "        08.12.2026  14:35:07\r\n"
      "\r\n"
      "00 000 000 000 000 000 000 микросекунд: __________ Z __________\r\n" +
      kDots +
      "\r\n"
      "Скорость - 0 мксек. или 0 мсек. или 0 сек.\r\n"
      "Начало кода в файле - \"begin.cpp\", на строке - 10\r\n"
      "Конец кода в файле - \"\", на строке - 0\r\n"
      "\r\n"
      "\r\n"
      "\r\n"
      "Selvorin VYK_PAV code area timer";
  EXPECT_EQ(vykpav::platform::cp1251_to_utf8(text), expected_utf8);
  // The first Cyrillic word, byte by byte: "Частота".
  const std::string chastota = "\xD7\xE0\xF1\xF2\xEE\xF2\xE0";
  EXPECT_EQ(text.substr(5, chastota.size()), chastota);
}

TEST_F(ReportComposer, EmptyReportIsHeaderThenClosing) {
  for (const auto& names : {std::vector<const char*>{}, std::vector<const char*>{"never begun"}}) {
    const std::string text = report(names, {{"never begun", 0, 700}});
    EXPECT_EQ(text,
              "\r\n   Central processor frequency - 10 000 000 Hz.\r\n"
              "        08.12.2026  14:35:07\r\n\r\n\r\n\r\nSelvorin VYK_PAV code area timer");
  }
}

struct FigureCase {
  const char* name;
  std::uint64_t frequency;
  std::uint64_t begin, end;
  const char* head_number;
  const char* velocity;
};

TEST_F(ReportComposer, FiguresAreExactAtAnyFrequency) {
  const FigureCase cases[] = {
      {"10 MHz", 10000000, 1000, 1000 + 12345678, "00 000 000 000 001 234 567",
       "Velocity - 1 234 567 micsec. or 1 234 msec. or 1 sec."},
      {"3.579545 MHz, not a multiple of 10^6", 3579545, 5, 5 + 10000000,
       "00 000 000 000 002 793 651", "Velocity - 2 793 651 micsec. or 2 793 msec. or 2 sec."},
      {"largest elapsed count", 10000000, 1, 0xFFFFFFFFFFFFFFFFull, "01 844 674 407 370 955 161",
       "Velocity - 1 844 674 407 370 955 161 micsec. or 1 844 674 407 370 955 msec. or "
       "1 844 674 407 370 sec."},
      {"below 1 kHz", 999, 1, 1 + 1998, "00 000 000 000 002 000 000",
       "Velocity - 2 000 000 micsec. or 2 000 msec. or 2 sec."},
      {"1 Hz saturates microseconds", 1, 1, 0xFFFFFFFFFFFFFFFFull, "18 446 744 073 709 551 615",
       "Velocity - 18 446 744 073 709 551 615 micsec. or 18 446 744 073 709 551 615 msec. or "
       "18 446 744 073 709 551 614 sec."},
      {"1 GHz", 1000000000, 7, 7 + 2500000001ull, "00 000 000 000 002 500 000",
       "Velocity - 2 500 000 micsec. or 2 500 msec. or 2 sec."},
      {"begun after its end", 10000000, 90000, 50000, "00 000 000 000 000 000 000",
       "Velocity - 0 micsec. or 0 msec. or 0 sec."},
  };
  for (const FigureCase& c : cases) {
    SCOPED_TRACE(c.name);
    fake_.frequency = c.frequency;
    // Ended before begun when the end reading is the smaller one.
    std::vector<Marks> marks = {{"area", c.begin, c.end}};
    std::string text;
    if (c.end < c.begin) {
      Timer timer(1, std::vector<const char*>{"area"}.data(), fake_);
      fake_.now = c.end;
      timer.end("area", "end.cpp", 5);
      fake_.now = c.begin;
      timer.begin("area", "begin.cpp", 4);
      compose_report(text, {timer.frequency(), Language::English, "", ""},
                     order_areas(*timer.area_table(), timer.frequency()));
    } else {
      text = report({"area"}, marks);
    }
    const auto all = lines(text);
    ASSERT_GE(all.size(), 7u);
    EXPECT_EQ(all[4], std::string(c.head_number) + " microseconds: __________ area __________");
    EXPECT_EQ(all[6], c.velocity);
    if (c.end < c.begin) {
      EXPECT_EQ(all[8], "End of code in file - \"end.cpp\", on line - 5");
    }
  }
}

TEST_F(ReportComposer, OrderFollowsTheHeadLineBytes) {
  // Equal times: names in byte order, a name's end compares as a space, and
  // bytes from 0x80 up come after ASCII.
  const std::string text =
      report({"ab", "a", "a\x1f", "\xC0\xC1", "b", "slow"}, {{"ab", 10, 20},
                                                             {"a", 10, 20},
                                                             {"a\x1f", 10, 20},
                                                             {"\xC0\xC1", 10, 20},
                                                             {"b", 10, 20},
                                                             {"slow", 10, 1000000}});
  std::vector<std::string> names;
  for (const std::string& head : head_lines(text)) {
    const std::size_t from = head.find("__________ ") + 11;
    names.push_back(head.substr(from, head.size() - 11 - from));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"a\x1f", "a", "ab", "b", "\xC0\xC1", "slow"}));
}

TEST_F(ReportComposer, OrderAmongNamesThatExtendOneAnother) {
  // The empty name is a prefix of every name, "a" of three more, and "a b"
  // sorts after "a" only because "a"'s head line goes on with " _" where
  // "a b"'s goes on with " b". Equal times unless said otherwise.
  const std::string text =
      report({"b", "a b", "", "a", "a\x01", "c", "a\x01x", "ab"}, {{"b", 10, 20},
                                                                   {"a b", 10, 20},
                                                                   {"", 10, 20},
                                                                   {"a", 10, 20},
                                                                   {"a\x01", 10, 20},
                                                                   {"c", 10, 20},
                                                                   {"a\x01x", 10, 500000},
                                                                   {"ab", 10, 400000}});
  std::vector<std::string> names;
  for (const std::string& head : head_lines(text)) {
    const std::size_t from = head.find("__________ ") + 11;
    names.push_back(head.substr(from, head.size() - 11 - from));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"", "a\x01", "a", "a b", "b", "c", "ab", "a\x01x"}));
}

TEST_F(ReportComposer, ManyAreasOrderedByTimeThenName) {
  // Enough areas that the order comes from the sort rather than from the
  // table: times fall in 7 buckets, names in byte order within each.
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) names.push_back("area " + std::to_string(i));
  std::vector<const char*> pointers;
  std::vector<Marks> marks;
  for (const std::string& name : names) {
    pointers.push_back(name.c_str());
    const std::uint64_t bucket = std::uint64_t(name.size() * 31 + name.back()) % 7;
    marks.push_back({name.c_str(), 1000, 1000 + 10 * (bucket + 1)});
  }
  const std::string text = report(pointers, marks);
  std::vector<std::pair<std::string, std::string>> seen, expected;  // (number, name)
  for (const std::string& head : head_lines(text)) {
    const std::size_t from = head.find("__________ ") + 11;
    seen.emplace_back(head.substr(0, 26), head.substr(from, head.size() - 11 - from));
  }
  for (const Marks& m : marks) {
    VYKNB64 microseconds = (m.end - m.begin) / 10;
    char digits[64];
    microseconds.VsStr(digits, 0x00140003, 10);
    expected.emplace_back(digits, m.name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(seen, expected);
}

TEST_F(ReportComposer, AreasBegunButNeverEndedComeFirst) {
  const std::string text =
      report({"done", "open", "unused"}, {{"done", 10, 20000}, {"open", 30, 0}});
  const auto all = lines(text);
  ASSERT_EQ(head_lines(text).size(), 2u) << "a never begun area is left out";
  EXPECT_EQ(all[4], "00 000 000 000 000 000 000 microseconds: __________ open __________");
  EXPECT_EQ(all[6], "Velocity - 0 micsec. or 0 msec. or 0 sec.");
  EXPECT_EQ(all[8], "End of code in file - \"\", on line - 0");
}

TEST_F(ReportComposer, LineNumbersAreUnsigned) {
  Timer timer(1, std::vector<const char*>{"x"}.data(), fake_);
  timer.begin("x", "f.cpp", -1);
  fake_.now += 10;
  timer.end("x", "f.cpp", -2147483647 - 1);
  std::string text;
  compose_report(text, {timer.frequency(), Language::English, "", ""},
                 order_areas(*timer.area_table(), timer.frequency()));
  const auto all = lines(text);
  EXPECT_EQ(all[7], "Beginning of code in file - \"f.cpp\", on line - 4294967295");
  EXPECT_EQ(all[8], "End of code in file - \"f.cpp\", on line - 2147483648");
}

TEST_F(ReportComposer, LongNamesAreWrittenWhole) {
  const std::string long_name(5000, 'n');
  const std::string text = report({long_name.c_str()}, {{long_name.c_str(), 1, 11}});
  EXPECT_EQ(lines(text)[4],
            "00 000 000 000 000 000 001 microseconds: __________ " + long_name + " __________");
}

TEST_F(ReportComposer, PiecesMakeTheWholeTextWithoutAllocatingAfterTheFirst) {
  std::vector<std::string> names;
  for (int i = 0; i < 200; ++i) names.push_back("area " + std::to_string(i * 7919 % 1000));
  std::vector<const char*> pointers;
  for (const std::string& name : names) pointers.push_back(name.c_str());
  const std::string long_name(3000, 'x');  // a block larger than most pieces
  pointers.push_back(long_name.c_str());
  Timer timer(static_cast<std::uint32_t>(pointers.size()), pointers.data(), fake_);
  for (const char* name : pointers) {
    timer.begin(name, "begin.cpp", 1);
    fake_.now += 37;
    timer.end(name, "end.cpp", 2);
  }
  const auto ordered = order_areas(*timer.area_table(), timer.frequency());
  const vykpav::timer::ReportHeader header{timer.frequency(), Language::English, "d", "t"};
  std::string whole;
  compose_report(whole, header, ordered);
  for (const std::size_t piece :
       {std::size_t{1}, std::size_t{500}, std::size_t{4096}, whole.size(), whole.size() + 1}) {
    SCOPED_TRACE(piece);
    std::string out, written;
    std::size_t pieces = 0;
    const char* storage = nullptr;
    compose_report(out, header, ordered, piece, [&](std::string_view text) {
      EXPECT_GE(text.size(), piece);
      if (storage == nullptr) storage = out.data();
      EXPECT_EQ(out.data(), storage) << "the text moved to new storage after the first piece";
      written += text;
      ++pieces;
    });
    EXPECT_EQ(written + out, whole);
    EXPECT_LT(out.size(), piece + 200) << "the last piece is what is left";
    EXPECT_EQ(pieces == 0, piece >= whole.size());
  }
}

}  // namespace
