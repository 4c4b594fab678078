#include "tools/report/report_parser.h"

#include <algorithm>
#include <limits>
#include <string>

namespace vykpav::report {

namespace {

using timer::kDateIndent;
using timer::kDots;
using timer::kHeadEnd;
using timer::kHeadMiddle;
using timer::kLineBreak;
using timer::kLongestLineNumber;
// The head line's microseconds: 20 digits in groups of three, zero-filled.
constexpr std::size_t kHeadNumberWidth = timer::kLongestGroupedNumber;
// The date and time texts come from 64-byte buffers; a notice is one short
// line. Anything far longer is not a report.
constexpr std::size_t kLongestDateLine = 256;
constexpr std::size_t kLongestNotice = 1024;

constexpr Language kLanguages[] = {Language::English, Language::Russian};

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// Whether `c` may stand at place i of the head line's number: a space
// between groups of three, a digit elsewhere.
bool fits_head_number(std::size_t i, char c) noexcept {
  return i % 4 == 2 ? c == ' ' : is_digit(c);
}

// value * 10 + digit; false when that passes 2^64 - 1.
bool push_digit(std::uint64_t& value, char digit) noexcept {
  const auto d = static_cast<std::uint64_t>(digit - '0');
  if (value > (std::numeric_limits<std::uint64_t>::max() - d) / 10) return false;
  value = value * 10 + d;
  return true;
}

// Fixed pieces that follow one another with nothing between them, joined.
struct Pieces {
  std::string head_rest;    // " ", the head word, ": __________ "
  std::string name_tail;    // " __________", line break, the dots, line break, velocity label
  std::string begin_start;  // seconds unit, line break, begin label, quotation mark
  std::string end_start;    // end label, quotation mark
};

Pieces join(Language language) {
  const timer::Messages& m = timer::messages(language);
  const std::string line_break(kLineBreak);
  return {" " + std::string(m.head_word) + std::string(kHeadMiddle),
          std::string(kHeadEnd) + line_break + std::string(kDots) + line_break +
              std::string(m.velocity_label),
          std::string(m.seconds_unit) + line_break + std::string(m.begin_label) + "\"",
          std::string(m.end_label) + "\""};
}

const Pieces& pieces(Language language) {
  static const Pieces joined[] = {join(Language::English), join(Language::Russian)};
  return joined[language == Language::Russian ? 1 : 0];
}

}  // namespace

// kShort: the window ends before the piece does, and agrees with it so far.
ReportParser::Match ReportParser::match(std::size_t at, std::string_view piece) const noexcept {
  const std::string_view rest = text_.substr(at);
  if (rest.size() >= piece.size())
    return rest.substr(0, piece.size()) == piece ? Match::kYes : Match::kNo;
  return piece.substr(0, rest.size()) == rest ? Match::kShort : Match::kNo;
}

// A line break, a frequency label and a digit.
ReportParser::Match ReportParser::report_starts(std::size_t at) const noexcept {
  if (const Match m = match(at, kLineBreak); m != Match::kYes) return m;
  Match best = Match::kNo;
  for (const Language language : kLanguages) {
    const std::string_view label = timer::messages(language).frequency_label;
    const Match m = match(at + kLineBreak.size(), label);
    if (m == Match::kYes) {
      const std::size_t digit = at + kLineBreak.size() + label.size();
      if (digit == text_.size()) return Match::kShort;
      if (is_digit(text_[digit])) return Match::kYes;
    }
    if (m == Match::kShort) best = m;
  }
  return best;
}

// "DD DDD DDD DDD DDD DDD DDD"; kNo also for a number past 2^64 - 1.
ReportParser::Match ReportParser::head_number(std::size_t at, std::uint64_t* value) const noexcept {
  const std::string_view number = text_.substr(at, kHeadNumberWidth);
  for (std::size_t i = 0; i < number.size(); ++i)
    if (!fits_head_number(i, number[i])) return Match::kNo;
  if (number.size() < kHeadNumberWidth) return Match::kShort;
  std::uint64_t read = 0;
  for (const char c : number)
    if (c != ' ' && !push_digit(read, c)) return Match::kNo;
  if (value != nullptr) *value = read;
  return Match::kYes;
}

// How many bytes from `at` a head line's start would take: its number's
// pattern, then the text after the number.
std::size_t ReportParser::head_prefix(std::size_t at, std::string_view head_rest) const noexcept {
  std::size_t n = 0;
  while (at + n < text_.size() && n < kHeadNumberWidth && fits_head_number(n, text_[at + n])) ++n;
  if (n < kHeadNumberWidth) return n;
  for (std::size_t k = 0; k < head_rest.size() && at + n < text_.size(); ++k, ++n)
    if (text_[at + n] != head_rest[k]) break;
  return n;
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
  std::size_t same = 0;
  while (text_[at + same] == piece[same]) ++same;
  return failure(at + same, what, at);
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
  for (; i < text_.size() && is_digit(text_[i]); ++i) {
    if (i - at == kLongestLineNumber) return Match::kNo;
    number = number * 10 + static_cast<std::uint64_t>(text_[i] - '0');
  }
  if (i == text_.size()) return Match::kShort;
  if (i == at || number > std::numeric_limits<std::uint32_t>::max()) return Match::kNo;
  value = static_cast<std::uint32_t>(number);
  at = i;
  return Match::kYes;
}

// A new report starting anywhere in [checked, to): each line break there is
// looked at once.
Step ReportParser::report_start_within(std::size_t& checked, std::size_t to) const noexcept {
  for (std::size_t r; (r = text_.substr(0, to).find('\r', checked)) != std::string_view::npos;
       checked = r + 1) {
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, r};
  }
  checked = to;
  return {Outcome::kParsed, to};
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

Step ReportParser::opening(ReportOpening& out) const {
  std::size_t at = 0;
  if (Step s = fixed(at, kLineBreak, "a report, which starts with an empty line");
      s.outcome != Outcome::kParsed)
    return s;
  const timer::Messages& english = timer::messages(Language::English);
  const timer::Messages& russian = timer::messages(Language::Russian);
  const Match is_english = match(at, english.frequency_label);
  const Match is_russian = match(at, russian.frequency_label);
  if (is_english == Match::kYes || is_russian == Match::kYes) {
    out.language = is_english == Match::kYes ? Language::English : Language::Russian;
  } else if (is_english == Match::kShort || is_russian == Match::kShort) {
    return {Outcome::kIncomplete, at};
  } else {
    // The cut, if it is one, is where the text stops being either label.
    std::size_t same = 0;
    for (const std::string_view label : {english.frequency_label, russian.frequency_label}) {
      std::size_t n = 0;
      while (text_[at + n] == label[n]) ++n;
      same = std::max(same, n);
    }
    return failure(at + same, "the frequency line", at);
  }
  const timer::Messages& text = timer::messages(out.language);
  at += text.frequency_label.size();
  if (Step s = grouped_number(at, out.frequency, "the counter frequency");
      s.outcome != Outcome::kParsed)
    return s;
  const std::pair<std::string_view, const char*> pieces[] = {
      {text.frequency_unit, "the frequency's unit"},
      {kLineBreak, "the end of the frequency line"},
      {kDateIndent, "the date and time line"}};
  for (const auto& [piece, what] : pieces)
    if (Step s = fixed(at, piece, what); s.outcome != Outcome::kParsed) return s;
  const std::size_t date_start = at;
  for (;; ++at) {
    if (at - date_start > kLongestDateLine) return failure(at, "the end of the date and time line");
    if (at + 1 >= text_.size()) return {Outcome::kIncomplete, at};
    if (text_[at] == '\r' && text_[at + 1] == '\n') break;
  }
  out.date_time = text_.substr(date_start, at - date_start);
  at += kLineBreak.size();
  if (Step s = fixed(at, kLineBreak, "the empty line after the date");
      s.outcome != Outcome::kParsed)
    return s;
  // A report cut right before that empty line, and the next one after it.
  return line_break_of_new_report(at - kLineBreak.size(), at);
}

Step ReportParser::closing(std::string_view& notice) const {
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

// What must follow the name: fixed text, then the velocity line's
// microseconds, the head line's own without their filling, and their unit.
Step ReportParser::name_end(std::size_t from, std::string_view microseconds, Language language,
                            std::size_t& end) const {
  const std::string_view tail = pieces(language).name_tail;
  const std::string_view unit = timer::messages(language).microseconds_unit;
  for (std::size_t search = from;;) {
    const std::size_t r = text_.find('\r', search);
    if (r == std::string_view::npos) return {Outcome::kIncomplete, text_.size()};
    if (r >= from + kHeadEnd.size()) {
      const std::size_t candidate = r - kHeadEnd.size();
      const std::size_t number = candidate + tail.size();
      Match m = match(candidate, tail);
      if (m == Match::kYes) m = match(number, microseconds);
      if (m == Match::kYes) m = match(number + microseconds.size(), unit);
      if (m == Match::kYes) {
        end = candidate;
        return {Outcome::kParsed, number + microseconds.size() + unit.size()};
      }
      if (m == Match::kShort) return {Outcome::kIncomplete, r};
    }
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, r};
    search = r + 1;
  }
}

// Whether what follows an end line (from `at`) is the start of the next
// block or of the closing lines, or the end of the input.
ReportParser::Match ReportParser::after_end_line(std::size_t at, Language language) const {
  if (at == text_.size()) return at_end_ ? Match::kYes : Match::kShort;
  const std::string_view head_rest = pieces(language).head_rest;
  Match m = match(at, kLineBreak);  // the closing lines
  if (m == Match::kNo) {
    // A head line: its first group and separator, and the text after its
    // number. The next block's parse reads the whole number.
    if (text_.size() - at < kHeadNumberWidth)
      m = head_number(at, nullptr);
    else if (is_digit(text_[at]) && is_digit(text_[at + 1]) && text_[at + 2] == ' ')
      m = match(at + kHeadNumberWidth, head_rest);
  }
  if (m == Match::kShort && at_end_) return Match::kYes;
  if (m != Match::kNo) return m;
  // The start of the next block or of the closing lines, cut short where a
  // new report begins: this block is whole all the same.
  const std::size_t cut = text_[at] == '\r' ? at + 1 : at + head_prefix(at, head_rest);
  return report_starts(cut);
}

// The file text from `from` of the begin line or of the end line; the step
// ends after the line (for the begin line, after the end line's label and
// quotation mark).
Step ReportParser::file_end(std::size_t from, bool begin_line, Language language, std::size_t& end,
                            std::uint32_t& line) const {
  const std::string_view line_label = timer::messages(language).line_label;
  const std::string_view next =
      begin_line ? std::string_view(pieces(language).end_start) : kLineBreak;
  std::size_t after = 0;
  // What follows the quotation mark at q when it ends the file text.
  const auto ends_at = [&](std::size_t q) {
    std::size_t at = q + 1;
    Match m = match(at, line_label);
    if (m != Match::kYes) return m;
    at += line_label.size();
    if (m = line_number(at, line); m != Match::kYes) return m;
    if (m = match(at, kLineBreak); m != Match::kYes) return m;
    at += kLineBreak.size();
    if (m = match(at, next); m != Match::kYes) return m;
    at += next.size();
    if (!begin_line)
      if (m = after_end_line(at, language); m != Match::kYes) return m;
    after = at;
    return Match::kYes;
  };
  for (std::size_t search = from, checked = from;;) {
    const std::size_t q = std::min(text_.find('"', search), text_.size());
    if (const Step s = report_start_within(checked, q); s.outcome != Outcome::kParsed) return s;
    if (q == text_.size()) return {Outcome::kIncomplete, q};
    const Match m = ends_at(q);
    if (m == Match::kShort) return {Outcome::kIncomplete, q};
    if (m == Match::kYes) {
      end = q;
      return {Outcome::kParsed, after};
    }
    search = q + 1;
  }
}

Step ReportParser::block(Language language, AreaBlock& out) const {
  switch (head_number(0, &out.microseconds)) {
    case Match::kYes: break;
    case Match::kShort: return {Outcome::kIncomplete, 0};
    case Match::kNo: {
      // Where the pattern breaks (or, for a number past 2^64 - 1, its end).
      std::size_t bad = 0;
      while (bad < kHeadNumberWidth && bad < text_.size() && fits_head_number(bad, text_[bad]))
        ++bad;
      return failure(bad, "an area's head line");
    }
  }
  const timer::Messages& text = timer::messages(language);
  std::size_t at = kHeadNumberWidth;
  if (Step s = fixed(at, pieces(language).head_rest, "an area's head line");
      s.outcome != Outcome::kParsed)
    return s;
  // The velocity line repeats the microseconds as VsStr writes them
  // unfilled: from the first digit that is not 0, or the last digit.
  const std::string_view head = text_.substr(0, kHeadNumberWidth);
  const std::string_view microseconds =
      head.substr(std::min(head.find_first_not_of("0 "), kHeadNumberWidth - 1));
  const std::size_t name_start = at;
  std::size_t stop = 0;
  Step s = name_end(name_start, microseconds, language, stop);
  if (s.outcome != Outcome::kParsed) return s;
  at = s.at;
  out.name = text_.substr(name_start, stop - name_start);
  if (s = grouped_number(at, out.milliseconds, "the milliseconds"); s.outcome != Outcome::kParsed)
    return s;
  if (s = fixed(at, text.milliseconds_unit, "the milliseconds' unit");
      s.outcome != Outcome::kParsed)
    return s;
  if (s = grouped_number(at, out.seconds, "the seconds"); s.outcome != Outcome::kParsed) return s;
  if (s = fixed(at, pieces(language).begin_start, "the velocity and begin lines");
      s.outcome != Outcome::kParsed)
    return s;
  if (s = file_end(at, true, language, stop, out.start_line); s.outcome != Outcome::kParsed)
    return s;
  out.start_file = text_.substr(at, stop - at);
  at = s.at;
  if (s = file_end(at, false, language, stop, out.end_line); s.outcome != Outcome::kParsed)
    return s;
  out.end_file = text_.substr(at, stop - at);
  return s;
}

}  // namespace vykpav::report
