#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>

#include "tools/report/report_bytes.h"
#include "tools/report/report_parser.h"

// Pieces of an area block read as the library writes them. The general
// reading looks for each file text's end and, at every line break on the
// way, for a new report, and reads each number digit by digit; a velocity
// line whose numbers are the head line's, and file lines whose texts are
// the last block's, are read here instead by comparing their pieces in
// turn. Each comparison is one the general reading makes too, so where all
// of them hold it would find the same ends and figures; where one does
// not, the general reading takes the piece from its start.
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

// The two file lines from `at` as the library writes them with the last
// block's file texts, and the block's empty line; false when any piece
// differs or the window ends first.
bool ReportParser::files_as_written(std::size_t at, const JoinedPieces& pieces,
                                    const LastFileTexts& files, AreaBlock& out,
                                    std::size_t& size) const noexcept {
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
  size = at;
  return true;
}

namespace {

bool holds(std::string_view text, char c) noexcept {
  return !text.empty() && std::memchr(text.data(), c, text.size()) != nullptr;
}

// `run` made of `pieces` in turn, its room kept from one block to the next.
void compose(std::string& run, std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  run.resize(size);
  char* at = run.data();
  for (const std::string_view piece : pieces) {
    if (!piece.empty()) std::memcpy(at, piece.data(), piece.size());
    at += piece.size();
  }
}

}  // namespace

void LastFileTexts::remember(Language language, std::string_view begin_file,
                             std::string_view end_file, std::size_t line_feeds) {
  const JoinedPieces& pieces = joined_pieces(language);
  usable_ = !holds(begin_file, '"') && !holds(begin_file, '\r') && !holds(end_file, '"') &&
            !holds(end_file, '\r');
  if (!usable_) return;
  const std::string_view line_label = texts(language).line_label;
  language_ = language;
  line_feeds_ = line_feeds;
  begin_size_ = begin_file.size();
  end_size_ = end_file.size();
  end_file_at_ = kLineBreak.size() + pieces.end_start.size();
  compose(begin_run_, {begin_file, "\"", line_label});
  compose(end_run_, {kLineBreak, pieces.end_start, end_file, "\"", line_label});
}

}  // namespace vykpav::report
