#include "expected_report.h"

namespace host {

namespace {

const char kNotice[] = "Selvorin VYK_PAV code area timer";
constexpr int kMostLines = 200;

struct Piece {
  const char* text;
  unsigned long size;
};

bool equals(Piece piece, const Line& line) {
  if (piece.size != line.size) return false;
  for (unsigned long i = 0; i < piece.size; ++i)
    if (piece.text[i] != line.text[i]) return false;
  return true;
}

// The report's lines, split at CR LF; a CR or LF alone is a failure.
int split_lines(const char* text, unsigned long size, Piece* lines) {
  int count = 0;
  unsigned long from = 0;
  for (unsigned long i = 0; i < size; ++i) {
    if (text[i] == '\r' && i + 1 < size && text[i + 1] == '\n') {
      if (count == kMostLines - 1) break;
      lines[count++] = {text + from, i - from};
      from = ++i + 1;
    } else if (text[i] == '\r' || text[i] == '\n') {
      check(false, "a line break that is not CR LF");
    }
  }
  lines[count++] = {text + from, size - from};
  return count;
}

void expect_line(Piece piece, const Line& expected) {
  if (equals(piece, expected)) {
    check(true, "");
    return;
  }
  Line what;
  what.add("line \"").add(piece.text, piece.size).add("\", expected \"").add(expected.text);
  check(false, what.add("\"").text);
}

// A decimal number in groups of three digits at `at`, as the report writes
// it; false when the text there is not one.
bool read_grouped(Piece line, unsigned long* at, u64* n) {
  const unsigned long start = *at;
  *n = 0;
  while (*at < line.size) {
    const char c = line.text[*at];
    if (c >= '0' && c <= '9') {
      *n = *n * 10 + static_cast<u64>(c - '0');
      ++*at;
    } else if (c == ' ' && *at + 3 < line.size && line.text[*at + 1] >= '0' &&
               line.text[*at + 1] <= '9') {
      ++*at;
    } else {
      break;
    }
  }
  Line grouped;
  grouped.add_grouped(*n);
  return *at > start && equals({line.text + start, *at - start}, grouped);
}

bool read_literal(Piece line, unsigned long* at, const char* literal) {
  const unsigned long size = length(literal);
  if (*at + size > line.size) return false;
  for (unsigned long i = 0; i < size; ++i)
    if (line.text[*at + i] != literal[i]) return false;
  *at += size;
  return true;
}

// "Velocity - " US " micsec. or " MS " msec. or " S " sec.", with US the
// head line's figure, and MS and S the same ticks' milliseconds and seconds:
// some tick count gives all three.
void check_velocity(const ExpectedReport& c, Piece line, u64 microseconds) {
  unsigned long at = 0;
  u64 us = 0, ms = 0, s = 0;
  const bool shaped = read_literal(line, &at, c.velocity_label) && read_grouped(line, &at, &us) &&
                      read_literal(line, &at, c.microseconds) && read_grouped(line, &at, &ms) &&
                      read_literal(line, &at, c.milliseconds) && read_grouped(line, &at, &s) &&
                      read_literal(line, &at, c.seconds) && at == line.size;
  Line what;
  what.add("velocity line \"").add(line.text, line.size).add("\"");
  if (!check(shaped, what.text)) return;
  check_value(us, microseconds, "velocity microseconds", us, microseconds);
  const u64 per_us = c.frequency / 1000000, per_ms = c.frequency / 1000;
  if (per_us == 0) return;  // too slow a counter for microseconds
  auto most = [](u64 a, u64 b) { return a > b ? a : b; };
  auto least = [](u64 a, u64 b) { return a < b ? a : b; };
  const u64 low = most(most(us * per_us, ms * per_ms), s * c.frequency);
  const u64 high = least(least(us * per_us + per_us - 1, ms * per_ms + per_ms - 1),
                         s * c.frequency + c.frequency - 1);
  check(low <= high, what.add(": the three figures of one tick count").text);
}

Line position_line(const ExpectedReport& c, const char* label, const char* file, int line) {
  Line expected;
  expected.add(label).add("\"").add(file).add("\"").add(c.line_label);
  return expected.add_unsigned(static_cast<u32>(line));
}

bool before(Piece a, Piece b) {  // byte by byte, unsigned; a prefix first
  for (unsigned long i = 0; i < a.size && i < b.size; ++i) {
    const auto x = static_cast<unsigned char>(a.text[i]), y = static_cast<unsigned char>(b.text[i]);
    if (x != y) return x < y;
  }
  return a.size < b.size;
}

// One area's six lines; returns the index of the area it shows, or -1.
int check_block(const ExpectedReport& c, const Piece* lines, const ExpectedArea* areas, int count) {
  const Piece head = lines[0];
  Line prefix;
  prefix.add(" ").add(c.head_word).add(": __________ ");
  const unsigned long suffix = 11;  // " __________"
  if (!check(head.size > 26 + prefix.size + suffix, "a head line")) return -1;
  u64 microseconds = 0;
  for (unsigned long at = 0; at < 26; ++at)
    if (head.text[at] != ' ')
      microseconds = microseconds * 10 + static_cast<u64>(head.text[at] - '0');
  Line plain, zero_filled;
  plain.add_unsigned(microseconds);
  for (unsigned long i = 0; i < 20; ++i) {
    if (i > 0 && (20 - i) % 3 == 0) zero_filled.add(" ");
    zero_filled.add(i < 20 - plain.size ? "0" : plain.text + (i - (20 - plain.size)), 1);
  }
  check(equals({head.text, 26}, zero_filled), "the head line's 20 zero-filled digits");
  check(equals({head.text + 26, prefix.size}, prefix), "the head line's word");
  const Piece name = {head.text + 26 + prefix.size, head.size - 26 - prefix.size - suffix};
  Line underscores;
  check(equals({head.text + head.size - suffix, suffix}, underscores.add(" __________")),
        "the head line's end");
  int found = -1;
  for (int i = 0; i < count; ++i) {
    Line n;
    if (equals(name, n.add(areas[i].name))) found = i;
  }
  Line what;
  what.add("an expected area: \"").add(name.text, name.size).add("\"");
  if (!check(found >= 0, what.text)) return -1;
  const ExpectedArea& area = areas[found];
  check(microseconds >= area.least_microseconds && microseconds <= area.most_microseconds,
        what.add(", its microseconds within their bounds").text);
  Line dots;
  for (int i = 0; i < 70; ++i) dots.add(".");
  expect_line(lines[1], dots);
  check_velocity(c, lines[2], microseconds);
  expect_line(lines[3], position_line(c, c.begin_label, area.begin_file, area.begin_line));
  expect_line(lines[4], position_line(c, c.end_label, area.end_file, area.end_line));
  expect_line(lines[5], Line());
  return found;
}

}  // namespace

ExpectedReport::ExpectedReport(bool russian, u64 counter_frequency) : frequency(counter_frequency) {
  if (russian) {  // code page 1251
    frequency_label =
        "   \xD7\xE0\xF1\xF2\xEE\xF2\xE0 \xF6\xE5\xED\xF2\xF0\xE0\xEB\xFC\xED\xEE\xE3\xEE "
        "\xEF\xF0\xEE\xF6\xE5\xF1\xF1\xEE\xF0\xE0 - ";
    hertz = " \xC3\xF6.";
    head_word = "\xEC\xE8\xEA\xF0\xEE\xF1\xE5\xEA\xF3\xED\xE4";
    velocity_label = "\xD1\xEA\xEE\xF0\xEE\xF1\xF2\xFC - ";
    microseconds = " \xEC\xEA\xF1\xE5\xEA. \xE8\xEB\xE8 ";
    milliseconds = " \xEC\xF1\xE5\xEA. \xE8\xEB\xE8 ";
    seconds = " \xF1\xE5\xEA.";
    begin_label = "\xCD\xE0\xF7\xE0\xEB\xEE \xEA\xEE\xE4\xE0 \xE2 \xF4\xE0\xE9\xEB\xE5 - ";
    end_label = "\xCA\xEE\xED\xE5\xF6 \xEA\xEE\xE4\xE0 \xE2 \xF4\xE0\xE9\xEB\xE5 - ";
    line_label = ", \xED\xE0 \xF1\xF2\xF0\xEE\xEA\xE5 - ";
  } else {
    frequency_label = "   Central processor frequency - ";
    hertz = " Hz.";
    head_word = "microseconds";
    velocity_label = "Velocity - ";
    microseconds = " micsec. or ";
    milliseconds = " msec. or ";
    seconds = " sec.";
    begin_label = "Beginning of code in file - ";
    end_label = "End of code in file - ";
    line_label = ", on line - ";
  }
}

void ExpectedReport::set_moments(const char* date_before, const char* time_before,
                                 const char* date_after, const char* time_after) {
  dates[0] = Line();
  dates[0].add(date_before);
  times[0] = Line();
  times[0].add(time_before);
  dates[1] = Line();
  dates[1].add(date_after);
  times[1] = Line();
  times[1].add(time_after);
}

void check_report(const ExpectedReport& c, const char* text, unsigned long size,
                  const ExpectedArea* areas, int count) {
  static Piece lines[kMostLines];
  const int n = split_lines(text, size, lines);
  if (!check_value(static_cast<u64>(n), static_cast<u64>(4 + 6 * count + 3), "report lines",
                   static_cast<u64>(count), 0))
    return;
  expect_line(lines[0], Line());
  Line frequency;
  frequency.add(c.frequency_label).add_grouped(c.frequency).add(c.hertz);
  expect_line(lines[1], frequency);
  bool moment = false;
  for (const Line& date : c.dates) {
    for (const Line& time : c.times) {
      Line expected;
      expected.add("        ").add(date.text).add("  ").add(time.text);
      moment = moment || equals(lines[2], expected);
    }
  }
  Line what;
  check(moment, what.add("date and time \"").add(lines[2].text, lines[2].size).add("\"").text);
  expect_line(lines[3], Line());

  bool seen[16] = {};
  for (int block = 0; block < count; ++block) {
    const Piece* first = lines + 4 + 6 * block;
    if (block > 0) check(before(first[-6], first[0]), "blocks in ascending order of head lines");
    const int found = check_block(c, first, areas, count);
    if (found >= 0) {
      check(!seen[found], "each area once");
      seen[found] = true;
    }
  }
  expect_line(lines[n - 3], Line());
  expect_line(lines[n - 2], Line());
  Line notice;
  expect_line(lines[n - 1], notice.add(kNotice));
}

}  // namespace host
