#include <algorithm>
#include <cstring>
#include <string_view>

#include "tools/report/report_bytes.h"
#include "tools/report/report_parser.h"

// The area block: where its name and file texts end, and its fixed text.
namespace vykpav::report {

Step ReportParser::name_end(std::size_t from, std::string_view microseconds, const Messages& text,
                            const JoinedPieces& pieces, std::size_t& end) const noexcept {
  // What must follow the name: fixed text, then the velocity line's
  // microseconds, the head line's own without their filling, and their unit.
  std::size_t search = from;
  for (;;) {
    const void* found = std::memchr(text_.data() + search, '\r', text_.size() - search);
    if (found == nullptr) return {Outcome::kIncomplete, text_.size()};
    const auto r = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    if (r >= from + kHeadEnd.size()) {
      const std::size_t candidate = r - kHeadEnd.size();
      Match m = match(candidate, pieces.name_tail);
      if (m == Match::kYes) {
        const std::size_t number = candidate + pieces.name_tail.size();
        m = match(number, microseconds);
        if (m == Match::kYes) m = match(number + microseconds.size(), text.microseconds_unit);
        if (m == Match::kYes) {
          end = candidate;
          return {Outcome::kParsed, number + microseconds.size() + text.microseconds_unit.size()};
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

Step ReportParser::block(Language language, AreaBlock& out, LastFileTexts& files) const {
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
  const std::string_view head = text_.substr(0, kHeadNumberWidth);
  const std::size_t digits = first_nonzero_digit(head.data(), kHeadNumberWidth);
  const std::size_t name_start = at;
  std::size_t name_stop = 0;
  const Step named = name_end(name_start, unfilled(head, digits), text, pieces, name_stop);
  if (named.outcome != Outcome::kParsed) return named;
  at = named.at;
  out.name = text_.substr(name_start, name_stop - name_start);

  if (!velocity_as_written(at, head, digits, text, pieces, out)) {
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
  }

  if (files.language() == language && files.usable()) {
    std::size_t size = 0;
    if (files_as_written(at, pieces, files, out, size)) {
      out.line_breaks = 6 + line_feeds(out.name) + files.line_feeds_;
      return {Outcome::kParsed, size};
    }
  }
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
  const std::size_t file_feeds = line_feeds(out.start_file) + line_feeds(out.end_file);
  out.line_breaks = 6 + line_feeds(out.name) + file_feeds;
  files.remember(language, out.start_file, out.end_file, file_feeds);
  return {Outcome::kParsed, at};
}

}  // namespace vykpav::report
