#include "tools/report/report_parser.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vykpav::report {

namespace {

// The date and time texts come from 64-byte buffers; a notice is one short
// line. Anything far longer is not a report.
constexpr std::size_t kLongestDateLine = 256;
constexpr std::size_t kLongestNotice = 1024;
constexpr std::uint64_t kMax = ~std::uint64_t{0};

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether byte i of the head line's number is a separator.
bool is_head_separator(std::size_t i) noexcept { return i % 4 == 2; }

// value * 10 + digit, false when that passes 2^64 - 1.
bool push_digit(std::uint64_t& value, char digit) noexcept {
  const auto d = static_cast<std::uint64_t>(digit - '0');
  return !__builtin_mul_overflow(value, 10u, &value) && !__builtin_add_overflow(value, d, &value);
}

// Writes `value` in decimal, in groups of three separated by spaces, at
// `out`; returns its length (at most 26).
std::size_t append_grouped(char* out, std::uint64_t value) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<std::size_t>(end - digits);
  std::size_t n = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (i != 0 && (count - i) % 3 == 0) out[n++] = ' ';
    out[n++] = digits[i];
  }
  return n;
}

// Texts seldom hold a line feed: memchr passes over them fast.
std::size_t line_feeds(std::string_view text) noexcept {
  if (text.empty()) return 0;
  std::size_t count = 0;
  for (const char *at = text.data(), *end = at + text.size();
       (at = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)))) !=
       nullptr;
       ++at)
    ++count;
  return count;
}

}  // namespace

namespace {

JoinedPieces join(Language language) {
  const Messages& m = texts(language);
  const std::string line_break(kLineBreak);
  return {" " + std::string(m.head_word) + std::string(kHeadMiddle),
          std::string(kHeadEnd) + line_break + std::string(kDots) + line_break +
              std::string(m.velocity_label),
          std::string(m.seconds_unit) + line_break + std::string(m.begin_label) + "\"",
          std::string(m.end_label) + "\""};
}

}  // namespace

const JoinedPieces& joined_pieces(Language language) {
  static const JoinedPieces joined[] = {join(Language::English), join(Language::Russian)};
  return joined[language == Language::Russian ? 1 : 0];
}

ReportParser::Match ReportParser::match(std::size_t at, std::string_view piece) const noexcept {
  const std::size_t available = text_.size() - at;
  const std::size_t n = std::min(available, piece.size());
  const char* here = text_.data() + at;
  // Most pieces are a few bytes: compared here rather than through a call.
  if (n <= 16) {
    for (std::size_t i = 0; i < n; ++i)
      if (here[i] != piece[i]) return Match::kNo;
  } else if (std::memcmp(here, piece.data(), n) != 0) {
    return Match::kNo;
  }
  return n == piece.size() ? Match::kYes : Match::kShort;
}

// A line break, a frequency label and a digit.
ReportParser::Match ReportParser::report_starts(std::size_t at) const noexcept {
  if (const Match m = match(at, kLineBreak); m != Match::kYes) return m;
  Match best = Match::kNo;
  for (const Language language : kLanguages) {
    const std::string_view label = texts(language).frequency_label;
    Match m = match(at + kLineBreak.size(), label);
    if (m == Match::kYes) {
      const std::size_t digit = at + kLineBreak.size() + label.size();
      if (digit == text_.size()) return Match::kShort;
      m = is_digit(text_[digit]) ? Match::kYes : Match::kNo;
    }
    if (m == Match::kYes) return m;
    if (m == Match::kShort) best = m;
  }
  return best;
}

ReportParser::Match ReportParser::head_number(std::size_t at, std::uint64_t* value) const noexcept {
  const char* p = text_.data() + at;
  const std::size_t available = std::min(text_.size() - at, kHeadNumberWidth);
  if (available < kHeadNumberWidth) {
    for (std::size_t i = 0; i < available; ++i)
      if (is_head_separator(i) ? p[i] != ' ' : !is_digit(p[i])) return Match::kNo;
    return Match::kShort;
  }
  // Seven groups, "DD DDD DDD DDD DDD DDD DDD", each read by itself so the
  // digits do not wait for one another.
  const auto digit = [p](std::size_t i) { return static_cast<unsigned>(p[i] - '0'); };
  bool pattern = true;
  std::uint64_t groups[7];
  for (std::size_t g = 0; g < 7; ++g) {
    const std::size_t first = g == 0 ? 0 : 4 * g - 1;  // 0, 3, 7, 11, ...
    const unsigned a = g == 0 ? 0 : digit(first), b = digit(first + (g == 0 ? 0 : 1)),
                   c = digit(first + (g == 0 ? 1 : 2));
    pattern &= a <= 9 && b <= 9 && c <= 9;
    if (g != 0) pattern &= p[first - 1] == ' ';
    groups[g] = a * 100 + b * 10 + c;
  }
  if (!pattern) return Match::kNo;
  if (value == nullptr) return Match::kYes;
  std::uint64_t number = groups[0];
  for (std::size_t g = 1; g < 6; ++g) number = number * 1000 + groups[g];  // 17 digits fit
  if (__builtin_mul_overflow(number, 1000u, &number) ||
      __builtin_add_overflow(number, groups[6], &number))
    return Match::kNo;
  *value = number;
  return Match::kYes;
}

// A mismatch at `at`, in a piece that starts at `piece`, is a cut report
// when a new report starts between the two, or in the line break just
// before the piece: the new report's first bytes may match the start of the
// piece or the line break that the old one's text expected next.
Step ReportParser::failure(std::size_t at, const char* expected, std::size_t piece) const noexcept {
  piece = std::min(piece, at);
  const std::size_t from = piece < kLineBreak.size() ? 0 : piece - kLineBreak.size();
  for (std::size_t r = from; r <= at && r < text_.size(); ++r) {
    if (text_[r] != '\r') continue;
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, at};
  }
  return {Outcome::kBroken, at, expected};
}

Step ReportParser::fixed(std::size_t& at, std::string_view piece, const char* what) const noexcept {
  switch (match(at, piece)) {
    case Match::kYes: at += piece.size(); return {Outcome::kParsed, at};
    case Match::kShort: return {Outcome::kIncomplete, at};
    case Match::kNo: break;
  }
  std::size_t differs = 0;
  while (text_[at + differs] == piece[differs]) ++differs;
  return failure(at + differs, what, at);
}

// Decimal in groups of three, one space between groups (VsStr's format 3).
Step ReportParser::grouped_number(std::size_t& at, std::uint64_t& value,
                                  const char* what) const noexcept {
  const std::size_t size = text_.size();
  std::size_t i = at;
  value = 0;
  std::size_t group = 0;  // digits in the group being read
  for (;;) {
    if (i == size) return {Outcome::kIncomplete, i};
    const char c = text_[i];
    if (is_digit(c)) {
      if (group == 3 || !push_digit(value, c)) return failure(i, what);
      ++group;
      ++i;
      continue;
    }
    if (group == 0) return failure(i, what);
    if (c != ' ') break;
    // A space: another group of three, or the text after the number.
    if (i + 1 == size) return {Outcome::kIncomplete, i};
    if (!is_digit(text_[i + 1])) break;
    group = 0;
    ++i;
    for (std::size_t k = 0; k < 3; ++k, ++i) {
      if (i == size) return {Outcome::kIncomplete, i};
      if (!is_digit(text_[i]) || !push_digit(value, text_[i])) return failure(i, what);
    }
    group = 3;
  }
  at = i;
  return {Outcome::kParsed, at};
}

// "%u" of a 32-bit value: 1 to 10 digits.
ReportParser::Match ReportParser::line_number(std::size_t& at,
                                              std::uint32_t& value) const noexcept {
  std::uint64_t number = 0;
  std::size_t i = at;
  while (i < text_.size() && is_digit(text_[i])) {
    if (i - at == kLongestLineNumber) return Match::kNo;
    number = number * 10 + static_cast<std::uint64_t>(text_[i] - '0');
    ++i;
  }
  if (i == text_.size()) return Match::kShort;
  if (i == at || number > 0xFFFFFFFFu) return Match::kNo;
  value = static_cast<std::uint32_t>(number);
  at = i;
  return Match::kYes;
}

// A new report starting anywhere in [checked, to): each line break there is
// looked at once.
Step ReportParser::report_start_within(std::size_t& checked, std::size_t to) const noexcept {
  while (checked < to) {
    const void* found = std::memchr(text_.data() + checked, '\r', to - checked);
    if (found == nullptr) break;
    const auto r = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, r};
    checked = r + 1;
  }
  checked = to;
  return {Outcome::kParsed, to};
}

Step ReportParser::name_end(std::size_t from, std::uint64_t microseconds, const Messages& text,
                            const JoinedPieces& pieces, std::size_t& end) {
  // What must follow the name: fixed text, then the velocity line's
  // microseconds, the head line's own, written once a candidate needs them.
  std::size_t number_size = 0;
  std::size_t search = from;
  for (;;) {
    const void* found = std::memchr(text_.data() + search, '\r', text_.size() - search);
    if (found == nullptr) return {Outcome::kIncomplete, text_.size()};
    const auto r = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    if (r >= from + kHeadEnd.size()) {
      const std::size_t candidate = r - kHeadEnd.size();
      Match m = match(candidate, pieces.name_tail);
      if (m == Match::kYes) {
        if (number_size == 0) {
          number_size = append_grouped(tail_, microseconds);
          std::memcpy(tail_ + number_size, text.microseconds_unit.data(),
                      text.microseconds_unit.size());
          number_size += text.microseconds_unit.size();
        }
        const std::size_t number = candidate + pieces.name_tail.size();
        m = match(number, std::string_view(tail_, number_size));
        if (m == Match::kYes) {
          end = candidate;
          return {Outcome::kParsed, number + number_size};
        }
      }
      if (m == Match::kShort) return {Outcome::kIncomplete, r};
    }
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, r};
    search = r + 1;
  }
}

std::size_t ReportParser::head_prefix(std::size_t at, const JoinedPieces& pieces) const noexcept {
  std::size_t n = 0;
  while (at + n < text_.size() && n < kHeadNumberWidth &&
         (is_head_separator(n) ? text_[at + n] == ' ' : is_digit(text_[at + n])))
    ++n;
  if (n < kHeadNumberWidth) return n;
  for (std::size_t k = 0; k < pieces.head_rest.size() && at + n < text_.size(); ++k, ++n)
    if (text_[at + n] != pieces.head_rest[k]) break;
  return n;
}

// A head line's start, for telling where an end file text stops: its
// first group and separator, and the text after its number. The next
// block's parse reads the whole number.
ReportParser::Match ReportParser::head_follows(std::size_t at,
                                               const JoinedPieces& pieces) const noexcept {
  if (text_.size() - at < kHeadNumberWidth) return head_number(at, nullptr);
  const char* p = text_.data() + at;
  if (!is_digit(p[0]) || !is_digit(p[1]) || p[2] != ' ') return Match::kNo;
  return match(at + kHeadNumberWidth, pieces.head_rest);
}

ReportParser::Match ReportParser::after_end_line(std::size_t at,
                                                 const JoinedPieces& pieces) const noexcept {
  if (at == text_.size()) return at_end_ ? Match::kYes : Match::kShort;
  Match m = match(at, kLineBreak);  // the closing lines
  if (m == Match::kNo) m = head_follows(at, pieces);
  if (m == Match::kShort && at_end_) return Match::kYes;
  if (m != Match::kNo) return m;
  // The start of the next block or of the closing lines, cut short where a
  // new report begins: this block is whole all the same.
  const std::size_t cut = text_[at] == '\r' ? at + 1 : at + head_prefix(at, pieces);
  return report_starts(cut);
}

Step ReportParser::file_end(std::size_t from, bool begin_line, const Messages& text,
                            const JoinedPieces& pieces, std::size_t& end, std::uint32_t& line,
                            std::size_t& after) const noexcept {
  // What follows the quotation mark at q when it ends the file text.
  const auto ends_at = [&](std::size_t q) {
    std::size_t at = q + 1;
    Match m = match(at, text.line_label);
    if (m != Match::kYes) return m;
    at += text.line_label.size();
    if (m = line_number(at, line); m != Match::kYes) return m;
    if (m = match(at, kLineBreak); m != Match::kYes) return m;
    at += kLineBreak.size();
    if (begin_line) {
      // The end line's label and quotation mark, taken here.
      if (m = match(at, pieces.end_start); m != Match::kYes) return m;
      at += pieces.end_start.size();
    } else {
      if (m = match(at, kLineBreak); m != Match::kYes) return m;
      at += kLineBreak.size();
      if (m = after_end_line(at, pieces); m != Match::kYes) return m;
    }
    after = at;
    return Match::kYes;
  };
  std::size_t search = from, checked = from;
  for (;;) {
    const void* found = std::memchr(text_.data() + search, '"', text_.size() - search);
    const std::size_t q =
        found == nullptr ? text_.size()
                         : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    if (const Step s = report_start_within(checked, q); s.outcome != Outcome::kParsed) return s;
    if (found == nullptr) return {Outcome::kIncomplete, text_.size()};
    const Match m = ends_at(q);
    if (m == Match::kYes) {
      end = q;
      return {Outcome::kParsed, after};
    }
    if (m == Match::kShort) return {Outcome::kIncomplete, q};
    search = q + 1;
  }
}

// A line break that a piece ends with may be the first of the next report,
// when this one was cut just before its own.
Step ReportParser::line_break_of_new_report(std::size_t line_break,
                                            std::size_t after) const noexcept {
  switch (report_starts(line_break)) {
    case Match::kYes: return {Outcome::kNewReport, line_break};
    case Match::kShort:
      return at_end_ ? Step{Outcome::kParsed, after} : Step{Outcome::kIncomplete, after};
    case Match::kNo: break;
  }
  return {Outcome::kParsed, after};
}

bool ReportParser::at_closing() const noexcept { return !text_.empty() && text_[0] == '\r'; }

Step ReportParser::header(ReportHeader& out) {
  std::size_t at = 0;
  if (Step s = fixed(at, kLineBreak, "a report, which starts with an empty line");
      s.outcome != Outcome::kParsed)
    return s;
  const Match english = match(at, texts(Language::English).frequency_label);
  const Match russian = match(at, texts(Language::Russian).frequency_label);
  if (english == Match::kYes || russian == Match::kYes) {
    out.language = english == Match::kYes ? Language::English : Language::Russian;
  } else if (english == Match::kShort || russian == Match::kShort) {
    return {Outcome::kIncomplete, at};
  } else {
    // The cut, if it is one, is where the text stops being either label.
    std::size_t same = 0;
    for (const Language language : kLanguages) {
      const std::string_view label = texts(language).frequency_label;
      std::size_t n = 0;
      while (text_[at + n] == label[n]) ++n;
      same = std::max(same, n);
    }
    return failure(at + same, "the frequency line", at);
  }
  const Messages& text = texts(out.language);
  at += text.frequency_label.size();
  const std::pair<std::string_view, const char*> pieces[] = {
      {text.frequency_unit, "the frequency's unit"},
      {kLineBreak, "the end of the frequency line"},
      {kDateIndent, "the date and time line"}};
  if (Step s = grouped_number(at, out.frequency, "the counter frequency");
      s.outcome != Outcome::kParsed)
    return s;
  for (const auto& [piece, what] : pieces)
    if (Step s = fixed(at, piece, what); s.outcome != Outcome::kParsed) return s;
  const std::size_t date_start = at;
  for (;;) {
    if (at - date_start > kLongestDateLine) return failure(at, "the end of the date and time line");
    if (at + 1 >= text_.size()) return {Outcome::kIncomplete, at};
    if (text_[at] == '\r' && text_[at + 1] == '\n') break;
    ++at;
  }
  out.date_time = text_.substr(date_start, at - date_start);
  at += kLineBreak.size();
  if (Step s = fixed(at, kLineBreak, "the empty line after the date");
      s.outcome != Outcome::kParsed)
    return s;
  // A report cut right before that empty line, and the next one after it.
  return line_break_of_new_report(at - kLineBreak.size(), at);
}

Step ReportParser::block(Language language, AreaBlock& out) {
  const Messages& text = texts(language);
  const JoinedPieces& pieces = joined_pieces(language);
  std::size_t at = 0;
  switch (head_number(0, &out.microseconds)) {
    case Match::kYes: break;
    case Match::kShort: return {Outcome::kIncomplete, 0};
    case Match::kNo: {
      // Where the pattern breaks (or, for a number past 2^64 - 1, its end).
      std::size_t bad = 0;
      while (bad < kHeadNumberWidth &&
             (is_head_separator(bad) ? text_[bad] == ' ' : is_digit(text_[bad])))
        ++bad;
      return failure(bad, "an area's head line");
    }
  }
  at = kHeadNumberWidth;
  if (Step s = fixed(at, pieces.head_rest, "an area's head line"); s.outcome != Outcome::kParsed)
    return s;
  const std::size_t name_start = at;
  std::size_t name_stop = 0;
  const Step named = name_end(name_start, out.microseconds, text, pieces, name_stop);
  if (named.outcome != Outcome::kParsed) return named;
  at = named.at;
  out.name = text_.substr(name_start, name_stop - name_start);

  if (Step s = grouped_number(at, out.milliseconds, "the milliseconds");
      s.outcome != Outcome::kParsed)
    return s;
  if (Step s = fixed(at, text.milliseconds_unit, "the milliseconds' unit");
      s.outcome != Outcome::kParsed)
    return s;
  if (Step s = grouped_number(at, out.seconds, "the seconds"); s.outcome != Outcome::kParsed)
    return s;
  if (Step s = fixed(at, pieces.begin_start, "the velocity and begin lines");
      s.outcome != Outcome::kParsed)
    return s;

  const std::size_t start_file = at;
  std::size_t stop = 0;
  if (Step s = file_end(start_file, true, text, pieces, stop, out.start_line, at);
      s.outcome != Outcome::kParsed)
    return s;
  out.start_file = text_.substr(start_file, stop - start_file);
  const std::size_t end_file = at;
  if (Step s = file_end(end_file, false, text, pieces, stop, out.end_line, at);
      s.outcome != Outcome::kParsed)
    return s;
  out.end_file = text_.substr(end_file, stop - end_file);
  out.line_breaks =
      6 + line_feeds(out.name) + line_feeds(out.start_file) + line_feeds(out.end_file);
  return {Outcome::kParsed, at};
}

Step ReportParser::closing(std::string_view& notice) {
  std::size_t at = 0;
  for (int i = 0; i < 2; ++i)
    if (Step s = fixed(at, kLineBreak, "the closing lines"); s.outcome != Outcome::kParsed)
      return s;
  // A report cut before its last empty line, and the next one after it.
  if (Step s = line_break_of_new_report(at - kLineBreak.size(), at); s.outcome != Outcome::kParsed)
    return s;
  const std::size_t start = at;
  for (;; ++at) {
    if (at - start > kLongestNotice) return {Outcome::kBroken, at, "a one-line closing notice"};
    if (at == text_.size()) {
      if (!at_end_) return {Outcome::kIncomplete, at};
      break;
    }
    if (text_[at] != '\r') continue;
    if (at + 1 == text_.size()) {
      if (!at_end_) return {Outcome::kIncomplete, at};
    } else if (text_[at + 1] == '\n') {
      break;
    }
  }
  notice = text_.substr(start, at - start);
  return {Outcome::kParsed, at};
}

}  // namespace vykpav::report
