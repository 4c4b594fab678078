#include "tools/report/report_parser.h"

#include <algorithm>
#include <cstring>

#include "tools/report/report_bytes.h"

namespace vykpav::report {

namespace {

// The date and time texts come from 64-byte buffers; a notice is one short
// line. Anything far longer is not a report.
constexpr std::size_t kLongestDateLine = 256;
constexpr std::size_t kLongestNotice = 1024;

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
  // "DD DDD DDD DDD DDD DDD DDD": in each of the first three words of eight
  // bytes the third and seventh are the separators, the rest digits; then
  // two digits.
  constexpr std::uint64_t kSeparators = 0x00FF000000FF0000ull, kSpaces = 0x0020000000200000ull;
  constexpr std::uint64_t kZeros = 0x3030303030303030ull, kHigh = 0x8080808080808080ull;
  std::uint64_t wrong = 0;
  for (std::size_t i = 0; i < 24; i += 8) {
    const std::uint64_t word = load8(p + i);
    // Digits become 0 to 9; anything else has a high bit in the value or in
    // its sum with 0x76, which carries only out of a byte that already has.
    const std::uint64_t values = (word ^ kZeros) & ~kSeparators;
    wrong |=
        ((word & kSeparators) ^ kSpaces) | ((values | (values + 0x7676767676767676ull)) & kHigh);
  }
  if (wrong != 0 || !is_digit(p[24]) || !is_digit(p[25])) return Match::kNo;
  // Seven groups, each read by itself so the digits do not wait for one
  // another.
  const auto digit = [p](std::size_t i) { return static_cast<unsigned>(p[i] - '0'); };
  std::uint64_t groups[7];
  groups[0] = digit(0) * 10 + digit(1);
  for (std::size_t g = 1; g < 7; ++g) {
    const std::size_t first = 4 * g - 1;  // 3, 7, 11, ...
    groups[g] = digit(first) * 100 + digit(first + 1) * 10 + digit(first + 2);
  }
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
