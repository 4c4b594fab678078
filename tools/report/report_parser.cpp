#include "tools/report/report_parser.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace vykpav::report {

namespace {

using timer::kLineBreak;
using Pieces = std::initializer_list<std::string_view>;

// The head line's microseconds: 20 digits in groups of three, zero-filled.
constexpr std::size_t kHeadNumberWidth = timer::kLongestGroupedNumber;
// The date and time texts come from 64-byte buffers; a notice is one short
// line. Anything far longer is not a report.
constexpr std::size_t kLongestDateLine = 256;
constexpr std::size_t kLongestNotice = 1024;
constexpr const char* kHeadLine = "an area's head line";

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// value * 10 + digit; false when that passes 2^64 - 1.
bool push_digit(std::uint64_t& value, char digit) noexcept {
  const auto d = static_cast<std::uint64_t>(digit - '0');
  if (value > (std::numeric_limits<std::uint64_t>::max() - d) / 10) return false;
  value = value * 10 + d;
  return true;
}

// Reads one piece from the front of `text` with a cursor, `at_`. Each reading
// function returns true and moves the cursor past what it read, or returns
// false and leaves in `stop_` the step that ends the piece there.
class Parser {
 public:
  Parser(std::string_view text, bool at_end) noexcept : text_(text), at_end_(at_end) {}

  Step opening(ReportOpening& out) {
    if (!fixed({kLineBreak}, "a report, which starts with an empty line") ||
        !frequency_label(out.language) || !grouped_number(out.frequency, "the counter frequency") ||
        !fixed({timer::messages(out.language).frequency_unit}, "the frequency's unit") ||
        !fixed({kLineBreak}, "the end of the frequency line") ||
        !fixed({timer::kDateIndent}, "the date and time line") || !date_line(out.date_time) ||
        !fixed({kLineBreak}, "the empty line after the date") ||
        // A report cut right before that empty line, and the next one after it.
        !no_report_starts(at_ - kLineBreak.size()))
      return stop_;
    return {Outcome::kParsed, at_};
  }

  Step block(Language language, AreaBlock& out) {
    const timer::Messages& m = timer::messages(language);
    if (!head_number(out.microseconds) ||
        !fixed({" ", m.head_word, timer::kHeadMiddle}, kHeadLine) || !name(m, out.name) ||
        !grouped_number(out.milliseconds, "the milliseconds") ||
        !fixed({m.milliseconds_unit}, "the milliseconds' unit") ||
        !grouped_number(out.seconds, "the seconds") ||
        !fixed({m.seconds_unit, kLineBreak, m.begin_label, "\""}, "the velocity and begin lines") ||
        !file_text(m, true, out.start_file, out.start_line) ||
        !file_text(m, false, out.end_file, out.end_line))
      return stop_;
    return {Outcome::kParsed, at_};
  }

  Step closing(std::string_view& notice) {
    // A report cut before its last empty line, and the next one after it.
    if (!fixed({kLineBreak, kLineBreak}, "the closing lines") ||
        !no_report_starts(at_ - kLineBreak.size()))
      return stop_;
    for (const std::size_t start = at_;; ++at_) {
      if (at_ - start > kLongestNotice) return {Outcome::kBroken, at_, "a one-line closing notice"};
      const bool last = at_ + 1 >= text_.size();  // no byte follows this one
      if (last && !at_end_) return {Outcome::kIncomplete, at_};
      if (at_ == text_.size() || (!last && text_.substr(at_, 2) == kLineBreak)) {
        notice = text_.substr(start, at_ - start);
        return {Outcome::kParsed, at_};
      }
    }
  }

 private:
  enum class Match { kYes, kNo, kShort };

  // kShort: the text ends before the pieces do, and agrees with them so far.
  // On kYes, `at` moves past them.
  Match match(std::size_t& at, Pieces pieces) const noexcept {
    std::size_t next = at;
    for (const std::string_view piece : pieces) {
      const std::string_view rest = text_.substr(next);
      if (rest.size() < piece.size())
        return piece.substr(0, rest.size()) == rest ? Match::kShort : Match::kNo;
      if (rest.substr(0, piece.size()) != piece) return Match::kNo;
      next += piece.size();
    }
    at = next;
    return Match::kYes;
  }
  Match match_at(std::size_t at, Pieces pieces) const noexcept { return match(at, pieces); }

  // How many bytes from `at` agree with the pieces, one after another.
  std::size_t same(std::size_t at, Pieces pieces) const noexcept {
    std::size_t n = 0;
    for (const std::string_view piece : pieces)
      for (const char c : piece) {
        if (at + n == text_.size() || text_[at + n] != c) return n;
        ++n;
      }
    return n;
  }

  // How many bytes from `at` fit a head line's number: a space between
  // groups of three, a digit elsewhere.
  std::size_t head_digits(std::size_t at) const noexcept {
    std::size_t n = 0;
    while (n < kHeadNumberWidth && at + n < text_.size() &&
           (n % 4 == 2 ? text_[at + n] == ' ' : is_digit(text_[at + n])))
      ++n;
    return n;
  }

  // A line break, a frequency label and a digit.
  Match report_starts(std::size_t at) const noexcept {
    Match best = Match::kNo;
    for (const Language language : {Language::English, Language::Russian}) {
      std::size_t digit = at;
      const Match m = match(digit, {kLineBreak, timer::messages(language).frequency_label});
      if (m == Match::kYes && digit == text_.size()) return Match::kShort;
      if (m == Match::kYes && is_digit(text_[digit])) return Match::kYes;
      if (m == Match::kShort) best = m;
    }
    return best;
  }

  // "%u" of a 32-bit value: 1 to 10 digits.
  Match line_number(std::size_t& at, std::uint32_t& value) const noexcept {
    std::uint64_t number = 0;
    std::size_t i = at;
    for (; i < text_.size() && is_digit(text_[i]); ++i) {
      if (i - at == timer::kLongestLineNumber) return Match::kNo;
      number = number * 10 + static_cast<std::uint64_t>(text_[i] - '0');
    }
    if (i == text_.size()) return Match::kShort;
    if (i == at || number > std::numeric_limits<std::uint32_t>::max()) return Match::kNo;
    value = static_cast<std::uint32_t>(number);
    at = i;
    return Match::kYes;
  }

  // Whether what follows an end line (from `at`) is the start of the next
  // block or of the closing lines, or the end of the input.
  Match after_end_line(std::size_t at, std::string_view head_word) const noexcept {
    if (at == text_.size()) return at_end_ ? Match::kYes : Match::kShort;
    const Pieces head_rest = {" ", head_word, timer::kHeadMiddle};
    Match m = match_at(at, {kLineBreak});  // the closing lines
    if (m == Match::kNo) {
      // A head line: its first group and separator, and the text after its
      // number. The next block's parse reads the whole number.
      if (text_.size() - at < kHeadNumberWidth)
        m = at + head_digits(at) == text_.size() ? Match::kShort : Match::kNo;
      else if (head_digits(at) >= 3)
        m = match_at(at + kHeadNumberWidth, head_rest);
    }
    if (m == Match::kShort && at_end_) return Match::kYes;
    if (m != Match::kNo) return m;
    // The start of the next block or of the closing lines, cut short where a
    // new report begins: this block is whole all the same.
    std::size_t cut = at + 1;
    if (text_[at] != '\r') {
      cut = at + head_digits(at);
      if (cut == at + kHeadNumberWidth) cut += same(cut, head_rest);
    }
    return report_starts(cut);
  }

  bool stop(Outcome outcome, std::size_t at, const char* expected = "") noexcept {
    stop_ = {outcome, at, expected};
    return false;
  }
  bool incomplete() noexcept { return stop(Outcome::kIncomplete, 0); }

  // A new report starting at the line break at `r` stops the piece there.
  bool no_report_at(std::size_t r) noexcept {
    const Match m = report_starts(r);
    if (m == Match::kYes) return stop(Outcome::kNewReport, r);
    return m == Match::kNo || incomplete();
  }

  // A mismatch at `at`, in a piece that starts at `piece`, is a cut report
  // when a new report starts between the two, or in the line break just
  // before the piece: the new report's first bytes may match the start of
  // the piece or the line break that the old one's text expected next.
  bool failure(std::size_t at, const char* expected, std::size_t piece) noexcept {
    piece = std::min(piece, at);
    for (std::size_t r = piece - std::min(piece, kLineBreak.size()); r <= at && r < text_.size();
         ++r)
      if (text_[r] == '\r' && !no_report_at(r)) return false;
    return stop(Outcome::kBroken, at, expected);
  }

  // A new report starting at a line break in [from, to).
  bool no_report_within(std::size_t from, std::size_t to) noexcept {
    for (std::size_t r = from; (r = text_.substr(0, to).find('\r', r)) != std::string_view::npos;
         ++r)
      if (!no_report_at(r)) return false;
    return true;
  }

  // A line break that a piece ends with may be the first of the next report,
  // when this one was cut just before its own; at the end of the input, the
  // first bytes of one are not.
  bool no_report_starts(std::size_t line_break) noexcept {
    return (at_end_ && report_starts(line_break) == Match::kShort) || no_report_at(line_break);
  }

  bool fixed(Pieces pieces, const char* what) noexcept {
    switch (match(at_, pieces)) {
      case Match::kYes: return true;
      case Match::kShort: return incomplete();
      case Match::kNo: break;
    }
    return failure(at_ + same(at_, pieces), what, at_);
  }

  // Either language's label, which sets the report's.
  bool frequency_label(Language& language) {
    bool cut = false;
    std::size_t agree = 0;  // the bytes that agree with either label
    for (const Language candidate : {Language::English, Language::Russian}) {
      const std::string_view label = timer::messages(candidate).frequency_label;
      const Match m = match(at_, {label});
      if (m == Match::kYes) {
        language = candidate;
        return true;
      }
      cut = cut || m == Match::kShort;
      agree = std::max(agree, same(at_, {label}));
    }
    // The cut, if it is one, is where the text stops being either label.
    return cut ? incomplete() : failure(at_ + agree, "the frequency line", at_);
  }

  // Decimal in groups of three, one space between groups (VsStr's format 3).
  bool grouped_number(std::uint64_t& value, const char* what) noexcept {
    value = 0;
    std::size_t digits = 0;    // in the group being read
    bool whole_group = false;  // whether it must have three: not the first
    for (;; ++at_) {
      if (at_ == text_.size()) return incomplete();
      const char c = text_[at_];
      if (is_digit(c)) {
        if (digits == 3 || !push_digit(value, c)) return failure(at_, what, at_);
        ++digits;
        continue;
      }
      if (digits == 0 || (whole_group && digits < 3)) return failure(at_, what, at_);
      if (c != ' ') return true;
      // A space: another group of three, or the text after the number.
      if (at_ + 1 == text_.size()) return incomplete();
      if (!is_digit(text_[at_ + 1])) return true;
      digits = 0;
      whole_group = true;
    }
  }

  bool date_line(std::string_view& date_time) noexcept {
    for (const std::size_t start = at_;; ++at_) {
      if (at_ - start > kLongestDateLine)
        return failure(at_, "the end of the date and time line", at_);
      if (at_ + 1 >= text_.size()) return incomplete();
      if (text_.substr(at_, 2) == kLineBreak) {
        date_time = text_.substr(start, at_ - start);
        at_ += kLineBreak.size();
        return true;
      }
    }
  }

  // "DD DDD DDD DDD DDD DDD DDD", at the block's start.
  bool head_number(std::uint64_t& value) noexcept {
    const std::size_t n = head_digits(0);  // where the pattern breaks
    if (n < kHeadNumberWidth) return n == text_.size() ? incomplete() : failure(n, kHeadLine, n);
    value = 0;
    for (const char c : text_.substr(0, n))
      if (c != ' ' && !push_digit(value, c)) return failure(n, kHeadLine, n);  // past 2^64 - 1
    at_ = n;
    return true;
  }

  // What must follow the name: fixed text, then the velocity line's
  // microseconds, the head line's own without their filling, and their unit.
  bool name(const timer::Messages& m, std::string_view& out) noexcept {
    const std::string_view head = text_.substr(0, kHeadNumberWidth);
    const std::string_view microseconds =
        head.substr(std::min(head.find_first_not_of("0 "), kHeadNumberWidth - 1));
    const std::size_t from = at_;
    for (std::size_t r = from;; ++r) {
      r = text_.find('\r', r);
      if (r == std::string_view::npos) return incomplete();
      if (r >= from + timer::kHeadEnd.size()) {
        std::size_t end = r - timer::kHeadEnd.size(), after = end;
        const Match m_tail = match(after, {timer::kHeadEnd, kLineBreak, timer::kDots, kLineBreak,
                                           m.velocity_label, microseconds, m.microseconds_unit});
        if (m_tail == Match::kYes) {
          out = text_.substr(from, end - from);
          at_ = after;
          return true;
        }
        if (m_tail == Match::kShort) return incomplete();
      }
      if (!no_report_at(r)) return false;
    }
  }

  // The file text of the begin line or of the end line; the cursor ends
  // after the line (for the begin line, after the end line's label and
  // quotation mark).
  bool file_text(const timer::Messages& m, bool begin_line, std::string_view& file,
                 std::uint32_t& line) noexcept {
    const std::size_t from = at_;
    for (std::size_t q = from, checked = from;; checked = q++) {
      q = std::min(text_.find('"', q), text_.size());
      if (!no_report_within(checked, q)) return false;
      if (q == text_.size()) return incomplete();
      // What follows the quotation mark at q when it ends the file text.
      std::size_t after = q + 1;
      Match m_end = match(after, {m.line_label});
      if (m_end == Match::kYes) m_end = line_number(after, line);
      if (m_end == Match::kYes)
        m_end = begin_line ? match(after, {kLineBreak, m.end_label, "\""})
                           : match(after, {kLineBreak, kLineBreak});
      if (m_end == Match::kYes && !begin_line) m_end = after_end_line(after, m.head_word);
      if (m_end == Match::kShort) return incomplete();
      if (m_end == Match::kYes) {
        file = text_.substr(from, q - from);
        at_ = after;
        return true;
      }
    }
  }

  std::string_view text_;
  bool at_end_;
  std::size_t at_ = 0;
  Step stop_{Outcome::kParsed, 0};
};

}  // namespace

Step parse_opening(std::string_view window, bool at_end, ReportOpening& out) {
  return Parser(window, at_end).opening(out);
}

Step parse_block(std::string_view window, bool at_end, Language language, AreaBlock& out) {
  return Parser(window, at_end).block(language, out);
}

Step parse_closing(std::string_view window, bool at_end, std::string_view& notice) {
  return Parser(window, at_end).closing(notice);
}

}  // namespace vykpav::report
