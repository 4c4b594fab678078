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
  if (value > (kMax - d) / 10) return false;
  value = value * 10 + d;
  return true;
}

// `value` in decimal, in groups of three separated by spaces.
void append_grouped(std::string& out, std::uint64_t value) {
  char digits[20];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<std::size_t>(end - digits);
  for (std::size_t i = 0; i < count; ++i) {
    if (i != 0 && (count - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
}

std::size_t line_feeds(std::string_view text) noexcept {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

ReportParser::Match ReportParser::match(std::size_t at, std::string_view piece) const noexcept {
  const std::size_t available = text_.size() - at;
  const std::size_t n = std::min(available, piece.size());
  if (std::memcmp(text_.data() + at, piece.data(), n) != 0) return Match::kNo;
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
  const std::size_t available = std::min(text_.size() - at, kHeadNumberWidth);
  std::uint64_t number = 0;
  for (std::size_t i = 0; i < available; ++i) {
    const char c = text_[at + i];
    if (is_head_separator(i) ? c != ' ' : !is_digit(c)) return Match::kNo;
    if (!is_head_separator(i) && !push_digit(number, c)) return Match::kNo;
  }
  if (available < kHeadNumberWidth) return Match::kShort;
  if (value != nullptr) *value = number;
  return Match::kYes;
}

ReportParser::Match ReportParser::head_starts(std::size_t at, const Messages& text) const noexcept {
  const std::string_view pieces[] = {" ", text.head_word, kHeadMiddle};
  Match m = head_number(at, nullptr);
  at += kHeadNumberWidth;
  for (const std::string_view piece : pieces) {
    if (m != Match::kYes) return m;
    m = match(at, piece);
    at += piece.size();
  }
  return m;
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
                            std::size_t& end) {
  tail_.clear();
  tail_ += kHeadEnd;
  tail_ += kLineBreak;
  tail_ += kDots;
  tail_ += kLineBreak;
  tail_ += text.velocity_label;
  append_grouped(tail_, microseconds);
  tail_ += text.microseconds_unit;
  std::size_t search = from;
  for (;;) {
    const void* found = std::memchr(text_.data() + search, '\r', text_.size() - search);
    if (found == nullptr) return {Outcome::kIncomplete, text_.size()};
    const auto r = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    if (r >= from + kHeadEnd.size()) {
      const std::size_t candidate = r - kHeadEnd.size();
      const Match m = match(candidate, tail_);
      if (m == Match::kYes) {
        end = candidate;
        return {Outcome::kParsed, candidate + tail_.size()};
      }
      if (m == Match::kShort) return {Outcome::kIncomplete, r};
    }
    const Match m = report_starts(r);
    if (m == Match::kYes) return {Outcome::kNewReport, r};
    if (m == Match::kShort) return {Outcome::kIncomplete, r};
    search = r + 1;
  }
}

std::size_t ReportParser::head_prefix(std::size_t at, const Messages& text) const noexcept {
  std::size_t n = 0;
  while (at + n < text_.size() && n < kHeadNumberWidth &&
         (is_head_separator(n) ? text_[at + n] == ' ' : is_digit(text_[at + n])))
    ++n;
  if (n < kHeadNumberWidth) return n;
  for (const std::string_view piece : {std::string_view(" "), text.head_word, kHeadMiddle}) {
    std::size_t k = 0;
    while (k < piece.size() && at + n < text_.size() && text_[at + n] == piece[k]) ++n, ++k;
    if (k < piece.size()) break;
  }
  return n;
}

ReportParser::Match ReportParser::after_end_line(std::size_t at,
                                                 const Messages& text) const noexcept {
  if (at == text_.size()) return at_end_ ? Match::kYes : Match::kShort;
  Match m = match(at, kLineBreak);  // the closing lines
  if (m == Match::kNo) m = head_starts(at, text);
  if (m == Match::kShort && at_end_) return Match::kYes;
  if (m != Match::kNo) return m;
  // The start of the next block or of the closing lines, cut short where a
  // new report begins: this block is whole all the same.
  const std::size_t cut = text_[at] == '\r' ? at + 1 : at + head_prefix(at, text);
  return report_starts(cut);
}

Step ReportParser::file_end(std::size_t from, bool begin_line, const Messages& text,
                            std::size_t& end, std::uint32_t& line,
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
      if (m = match(at, text.end_label); m != Match::kYes) return m;
      if (m = match(at + text.end_label.size(), "\""); m != Match::kYes) return m;
    } else {
      if (m = match(at, kLineBreak); m != Match::kYes) return m;
      at += kLineBreak.size();
      if (m = after_end_line(at, text); m != Match::kYes) return m;
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
  for (const std::string_view piece : {std::string_view(" "), text.head_word, kHeadMiddle})
    if (Step s = fixed(at, piece, "an area's head line"); s.outcome != Outcome::kParsed) return s;
  const std::size_t name_start = at;
  std::size_t name_stop = 0;
  const Step named = name_end(name_start, out.microseconds, text, name_stop);
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
  for (const std::string_view piece :
       {text.seconds_unit, kLineBreak, text.begin_label, std::string_view("\"")})
    if (Step s = fixed(at, piece, "the velocity and begin lines"); s.outcome != Outcome::kParsed)
      return s;

  const std::size_t start_file = at;
  std::size_t stop = 0;
  if (Step s = file_end(start_file, true, text, stop, out.start_line, at);
      s.outcome != Outcome::kParsed)
    return s;
  out.start_file = text_.substr(start_file, stop - start_file);
  for (const std::string_view piece : {text.end_label, std::string_view("\"")})
    if (Step s = fixed(at, piece, "the end line"); s.outcome != Outcome::kParsed) return s;
  const std::size_t end_file = at;
  if (Step s = file_end(end_file, false, text, stop, out.end_line, at);
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
