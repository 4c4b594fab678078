// Reads one piece of a report at a time (its header, one area block, its
// closing lines) from the front of a window of bytes. The window may end
// anywhere: the parser then says the piece is incomplete, and its caller
// reads more or, at the end of the input, takes the report as cut short.
//
// Names and file texts may hold any byte but 0, line breaks and quotation
// marks and the head line's own separators included, so nothing is split at
// line breaks. Each variable text ends where the fixed text that must follow
// it is found whole:
//   - a name, at the first line break that ends " __________" and is followed
//     by the dotted line and a velocity line that starts with the head
//     line's own microseconds (fixed-width, so read before the name);
//   - a begin file text, at the first quotation mark followed by the line
//     label, a line number, a line break and the end line's label and quote;
//   - an end file text, at the first quotation mark followed by the line
//     label, a line number, the block's empty line and then the next block's
//     head or the closing lines.
// A report written part way and then followed by the next host's report (an
// append after a failed write) shows as a new report's first two lines
// where the old one's bytes stop: the parser says so, and no variable text
// runs across them. A name or file text that itself holds a line break and a
// whole frequency line is read that way too; no host names an area so.
#ifndef VYKPAV_TOOLS_REPORT_REPORT_PARSER_H
#define VYKPAV_TOOLS_REPORT_REPORT_PARSER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/report/report_bytes.h"
#include "tools/report/report_pieces.h"

namespace vykpav::report {

enum class Outcome {
  kParsed,      // the piece is whole: `at` is its size
  kIncomplete,  // the window ends inside the piece
  kNewReport,   // a new report starts at `at`, inside the piece
  kBroken,      // the bytes at `at` are not what the piece needs: `expected`
};

struct Step {
  Outcome outcome;
  std::size_t at;
  const char* expected = "";
};

struct ReportHeader {
  Language language;
  std::uint64_t frequency;
  std::string_view date_time;  // the third line without its indent
};

struct AreaBlock {
  std::string_view name;
  std::uint64_t microseconds, milliseconds, seconds;
  std::string_view start_file, end_file;
  std::uint32_t start_line, end_line;
  std::size_t line_breaks;  // LF bytes in the block, its own and its texts'
};

// The file texts of the last block read, with the fixed text around them.
// Hosts pass __FILE__, so most blocks name the files of the block before,
// and the parser reads such a block's file lines as the library writes
// them, comparing two long runs.
class LastFileTexts {
 public:
  Language language() const noexcept { return language_; }
  // Whether the texts can be found again that way: neither holds a
  // quotation mark or a CR, so the first quotation mark after each ends it
  // and no report can start inside it.
  bool usable() const noexcept { return usable_; }
  void remember(Language language, std::string_view begin_file, std::string_view end_file,
                std::size_t line_feeds);

 private:
  friend class ReportParser;
  Language language_ = Language::English;
  bool usable_ = false;
  std::size_t begin_size_ = 0, end_size_ = 0, end_file_at_ = 0;  // end_file_at_: in end_run_
  std::size_t line_feeds_ = 0;                                   // in both texts
  std::string begin_run_;  // the begin file, its quotation mark, the line label
  std::string end_run_;    // line break, end label and quote, the file, quote, line label
};

class ReportParser {
 public:
  // `at_end`: no input follows the window.
  ReportParser(std::string_view window, bool at_end) noexcept : text_(window), at_end_(at_end) {}

  // A report's first four lines, the line break that starts it included.
  Step header(ReportHeader& out);
  // One area block of a report in `language`, its empty line included;
  // `files` holds the last block's file texts, and then this one's.
  Step block(Language language, AreaBlock& out, LastFileTexts& files) const;
  // The two empty lines and the notice that close a report, up to the line
  // break that starts the next one (or the end of the input).
  Step closing(std::string_view& notice);
  // Whether the closing lines come next (else an area block should).
  bool at_closing() const noexcept;

 private:
  enum class Match { kYes, kNo, kShort };

  Match match(std::size_t at, std::string_view piece) const noexcept {
    const std::size_t available = text_.size() - at;
    if (available >= piece.size())
      return same_bytes(text_.data() + at, piece.data(), piece.size()) ? Match::kYes : Match::kNo;
    return same_bytes(text_.data() + at, piece.data(), available) ? Match::kShort : Match::kNo;
  }
  Match report_starts(std::size_t at) const noexcept;
  Match head_follows(std::size_t at, const JoinedPieces& pieces) const noexcept;
  Match head_number(std::size_t at, std::uint64_t* value) const noexcept;
  Step failure(std::size_t at, const char* expected, std::size_t piece) const noexcept;
  Step failure(std::size_t at, const char* expected) const noexcept {
    return failure(at, expected, at);
  }
  Step fixed(std::size_t& at, std::string_view piece, const char* what) const noexcept;
  Step grouped_number(std::size_t& at, std::uint64_t& value, const char* what) const noexcept;
  Match line_number(std::size_t& at, std::uint32_t& value) const noexcept;
  Step report_start_within(std::size_t& checked, std::size_t to) const noexcept;
  Step line_break_of_new_report(std::size_t line_break, std::size_t after) const noexcept;
  Step name_end(std::size_t from, std::string_view microseconds, const Messages& text,
                const JoinedPieces& pieces, std::size_t& end) const noexcept;
  bool velocity_as_written(std::size_t& at, std::string_view head, std::size_t digits,
                           const Messages& text, const JoinedPieces& pieces,
                           AreaBlock& out) const noexcept;
  bool files_as_written(std::size_t at, const JoinedPieces& pieces, const LastFileTexts& files,
                        AreaBlock& out, std::size_t& size) const noexcept;
  Step file_end(std::size_t from, bool begin_line, const Messages& text, const JoinedPieces& pieces,
                std::size_t& end, std::uint32_t& line, std::size_t& after) const noexcept;
  std::size_t head_prefix(std::size_t at, const JoinedPieces& pieces) const noexcept;
  Match after_end_line(std::size_t at, const JoinedPieces& pieces) const noexcept;

  std::string_view text_;
  bool at_end_;
};

}  // namespace vykpav::report

#endif  // VYKPAV_TOOLS_REPORT_REPORT_PARSER_H
