#include <cstring>
#include <string_view>

#include "tools/report/report_bytes.h"
#include "tools/report/report_parser.h"

// An area block read as the library writes it. The general reading looks
// for each variable text's end and, at every line break on the way, for a
// new report; a block whose every piece is as written, and whose file
// texts are the last block's, is read here instead by comparing its pieces
// in turn. Each comparison is one the general reading makes too, so where
// all of them hold, it would find the same ends and figures; where one
// does not, the general reading takes the block from its start.
namespace vykpav::report {

namespace {

constexpr std::string_view kBlockEnd = "\r\n\r\n";  // the end line's break, the empty line

}  // namespace

// The rest of the velocity line and the begin line's label as the library
// writes them: milliseconds and seconds are the head line's number without
// its last one or two groups. True, with `at` past them, when the text is
// so; the values are then those its general reading would give.
bool ReportParser::velocity_as_written(std::size_t& at, std::string_view head, std::size_t digits,
                                       const Messages& text, const JoinedPieces& pieces,
                                       AreaBlock& out) const noexcept {
  constexpr std::size_t kMilliEnd = kHeadNumberWidth - 4, kSecondEnd = kHeadNumberWidth - 8;
  std::size_t i = at;
  for (const std::string_view piece :
       {unfilled(head.substr(0, kMilliEnd), digits), text.milliseconds_unit,
        unfilled(head.substr(0, kSecondEnd), digits), std::string_view(pieces.begin_start)}) {
    if (match(i, piece) != Match::kYes) return false;
    i += piece.size();
  }
  at = i;
  out.milliseconds = out.microseconds / 1000;
  out.seconds = out.microseconds / 1000000;
  return true;
}

// The block as the library writes it with the last block's file texts; false
// when any piece differs or the window ends first.
bool ReportParser::block_as_written(const Messages& text, const JoinedPieces& pieces,
                                    const LastFileTexts& files, AreaBlock& out,
                                    std::size_t& size) const noexcept {
  if (head_number(0, &out.microseconds) != Match::kYes) return false;
  std::size_t at = kHeadNumberWidth;
  if (match(at, pieces.head_rest) != Match::kYes) return false;
  at += pieces.head_rest.size();
  // The name ends at its first CR, where the fixed text and the velocity
  // line's microseconds must follow.
  const std::size_t name_start = at;
  const void* found = std::memchr(text_.data() + at, '\r', text_.size() - at);
  if (found == nullptr) return false;
  const auto r = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
  if (r < name_start + kHeadEnd.size()) return false;
  at = r - kHeadEnd.size();
  out.name = text_.substr(name_start, at - name_start);
  if (match(at, pieces.name_tail) != Match::kYes) return false;
  at += pieces.name_tail.size();
  const std::string_view head = text_.substr(0, kHeadNumberWidth);
  const std::size_t digits = first_nonzero_digit(head.data(), kHeadNumberWidth);
  for (const std::string_view piece : {unfilled(head, digits), text.microseconds_unit}) {
    if (match(at, piece) != Match::kYes) return false;
    at += piece.size();
  }
  if (!velocity_as_written(at, head, digits, text, pieces, out)) return false;
  // The two file lines, each text the last block's.
  if (match(at, files.begin_run_) != Match::kYes) return false;
  out.start_file = text_.substr(at, files.begin_size_);
  at += files.begin_run_.size();
  if (line_number(at, out.start_line) != Match::kYes) return false;
  if (match(at, files.end_run_) != Match::kYes) return false;
  out.end_file = text_.substr(at + files.end_file_at_, files.end_size_);
  at += files.end_run_.size();
  if (line_number(at, out.end_line) != Match::kYes) return false;
  if (match(at, kBlockEnd) != Match::kYes) return false;
  at += kBlockEnd.size();
  if (after_end_line(at, pieces) != Match::kYes) return false;
  out.line_breaks = 6 + line_feeds(out.name) + files.line_feeds_;
  size = at;
  return true;
}

void LastFileTexts::remember(Language language, std::string_view begin_file,
                             std::string_view end_file, std::size_t line_feeds) {
  const Messages& text = texts(language);
  const JoinedPieces& pieces = joined_pieces(language);
  usable_ = begin_file.find_first_of("\"\r") == std::string_view::npos &&
            end_file.find_first_of("\"\r") == std::string_view::npos;
  if (!usable_) return;
  language_ = language;
  line_feeds_ = line_feeds;
  begin_size_ = begin_file.size();
  end_size_ = end_file.size();
  end_file_at_ = kLineBreak.size() + pieces.end_start.size();
  begin_run_.assign(begin_file.data(), begin_file.size());
  begin_run_.append("\"").append(text.line_label);
  end_run_.assign(kLineBreak.data(), kLineBreak.size());
  end_run_.append(pieces.end_start).append(end_file).append("\"").append(text.line_label);
}

}  // namespace vykpav::report
