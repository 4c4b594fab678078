#include "tools/report/report_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "tools/report/system_io.h"

namespace vykpav::report {

namespace {

// Why a text that is no report might be one all the same, from the bytes
// at its start (kHintBytes of them, where the input has as many).
constexpr std::size_t kHintBytes = 4096;
std::string hint(std::string_view window) {
  const std::size_t lf = window.substr(0, kHintBytes).find('\n');
  if (lf != std::string_view::npos && (lf == 0 || window[lf - 1] != '\r'))
    return " (its lines end in LF alone; a report's end in CR LF)";
  return "";
}

enum class Expect { kOpening, kBlock, kNextReport };

// Parses the pieces at the front of a window of the input, which it refills
// from the file when a piece runs past its end.
class Reader {
 public:
  Reader(std::FILE* file, const std::string& name, ReportVisitor& visitor, std::size_t read_size)
      : file_(file),
        name_(name),
        visitor_(visitor),
        read_size_(std::max<std::size_t>(read_size, 1)) {}

  ReadResult run() {
    read_more();
    while (step()) {
    }
    return std::move(result_);
  }

 private:
  std::string_view window() const noexcept { return std::string_view(bytes_).substr(begin_); }

  // Reads more after what the window holds: a read's worth, or as much as it
  // holds already, so a piece that spans many reads is parsed again only a
  // few times.
  bool read_more() {
    bytes_.erase(0, begin_);
    begin_ = 0;
    const std::size_t held = bytes_.size(), want = std::max(read_size_, held);
    bytes_.resize(held + want);
    errno = 0;
    const std::size_t got = std::fread(&bytes_[held], 1, want, file_);
    bytes_.resize(held + got);
    if (got < want && std::ferror(file_)) {
      const int error = errno;
      throw ReadError(where(0) +
                      "cannot read: " + (error != 0 ? std::strerror(error) : "read error"));
    }
    at_end_ = got < want;
    return true;
  }

  // "name:line: " of the window's byte `at`.
  std::string where(std::size_t at) const {
    return name_ + ":" + std::to_string(line_at(at)) + ": ";
  }
  // A report has a line feed every few dozen bytes: found one by one, not
  // counted byte by byte.
  std::size_t line_at(std::size_t at) const {
    const std::string_view before = window().substr(0, at);
    std::size_t line = line_;
    for (std::size_t lf = before.find('\n'); lf != std::string_view::npos;
         lf = before.find('\n', lf + 1))
      ++line;
    return line;
  }
  void consume(std::size_t size) {
    line_ = line_at(size);
    consumed_ += size;
    begin_ += size;
  }
  void warn(std::size_t at, const std::string& text) {
    result_.warnings.push_back(where(at) + "warning: " + text);
  }
  void report_cut_short(std::size_t at) {
    ++result_.cut_short;
    warn(at, "the report that starts on line " + std::to_string(report_line_) +
                 " was cut short; its " + std::to_string(blocks_) +
                 (blocks_ == 1 ? " complete area block is" : " complete area blocks are") +
                 " counted");
  }
  void opening_cut_short(std::size_t at) {
    ++result_.cut_short;
    warn(at, "a report was cut short in its first lines; it is left out");
  }

  // Parses the next piece; false at the end of the input.
  bool step() {
    const std::string_view window = this->window();
    if (expect_ == Expect::kNextReport && window.empty()) return !at_end_ && read_more();
    Step step;
    if (expect_ != Expect::kBlock) {
      ReportOpening opening;
      step = parse_opening(window, at_end_, opening);
      if (step.outcome == Outcome::kParsed) {
        ++result_.reports;
        // Its first line break ends the line before, unless nothing came
        // before it.
        report_line_ = consumed_ == 0 ? 1 : line_ + 1;
        blocks_ = 0;
        language_ = opening.language;
        visitor_.report(opening);
        expect_ = Expect::kBlock;
      }
    } else if (!window.empty() && window[0] == '\r') {
      std::string_view notice;
      step = parse_closing(window, at_end_, notice);
      // A notice that stops part way is a cut too; another wording is
      // another build's.
      const std::string_view ours = timer::kReportNotice;
      if (step.outcome == Outcome::kParsed && notice.size() < ours.size() &&
          ours.substr(0, notice.size()) == notice)
        report_cut_short(step.at);
      if (step.outcome == Outcome::kParsed) expect_ = Expect::kNextReport;
    } else {
      AreaBlock block;
      step = parse_block(window, at_end_, language_, block);
      if (step.outcome == Outcome::kParsed) {
        visitor_.area(block);
        ++blocks_;
      }
    }
    if (step.outcome == Outcome::kParsed) {
      consume(step.at);
      return true;
    }
    const bool in_report = expect_ == Expect::kBlock;
    // Line breaks or spaces after the last notice: an editor's, say.
    const bool blank = expect_ == Expect::kNextReport &&
                       window.find_first_not_of("\r\n \t") == std::string_view::npos;
    switch (step.outcome) {
      case Outcome::kParsed:
      case Outcome::kIncomplete:
        if (!at_end_) return read_more();
        if (in_report) {
          report_cut_short(0);
        } else if (blank) {
        } else if (result_.reports == 0) {
          throw ReadError(where(0) + (window.empty() ? "no report: the input is empty"
                                                     : "no report: the input ends inside "
                                                       "the first lines of one"));
        } else {
          opening_cut_short(0);
        }
        return false;
      case Outcome::kNewReport:
        if (in_report) {
          report_cut_short(step.at);
        } else {
          opening_cut_short(step.at);
        }
        consume(step.at);
        expect_ = Expect::kOpening;
        return true;
      case Outcome::kBroken: break;
    }
    if (blank) return !at_end_ && read_more();
    // Read on, so that the hint does not depend on where a read ended.
    if (result_.reports == 0 && window.size() < kHintBytes && !at_end_) return read_more();
    if (result_.reports == 0)
      throw ReadError(where(step.at) + "not a report: expected " + step.expected + hint(window));
    if (expect_ == Expect::kNextReport)
      throw ReadError(where(step.at) +
                      "expected another report or the end of the input after the closing notice");
    throw ReadError(where(step.at) + "expected " + step.expected);
  }

  std::FILE* file_;
  const std::string& name_;
  ReportVisitor& visitor_;
  std::size_t read_size_;
  std::string bytes_;      // the window and, before it, bytes parsed already
  std::size_t begin_ = 0;  // of the window in bytes_
  bool at_end_ = false;    // no input follows the window
  ReadResult result_;
  Expect expect_ = Expect::kOpening;
  Language language_ = Language::English;
  std::size_t line_ = 1;         // of the window's first byte
  std::size_t report_line_ = 1;  // where the report being read starts
  std::size_t blocks_ = 0;       // its complete area blocks
  std::size_t consumed_ = 0;     // bytes parsed so far
};

}  // namespace

ReadResult read_reports(std::FILE* file, const std::string& name, ReportVisitor& visitor,
                        std::size_t read_size) {
  return Reader(file, name, visitor, read_size).run();
}

ReadResult read_report_file(const std::string& path, ReportVisitor& visitor) {
  if (path == "-") return read_reports(stdin, "standard input", visitor);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(open_file(path, "rb"), &std::fclose);
  if (!file) {
    const int error = errno;
    // Linux opens a folder and fails on its first read; Windows does not
    // open it. The message is the read's on both.
    if (error == EISDIR) throw ReadError(path + ":1: cannot read: " + std::strerror(error));
    throw ReadError(path + ": cannot open: " + (error != 0 ? std::strerror(error) : "unknown"));
  }
  return read_reports(file.get(), path, visitor);
}

}  // namespace vykpav::report
