#include "tools/report/report_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>

#include "tools/report/system_io.h"

namespace vykpav::report {

namespace {

// The bytes of the input not yet parsed, refilled from the file.
class InputWindow {
 public:
  InputWindow(std::FILE* file, const std::string& name, std::size_t read_size)
      : file_(file), name_(name), read_size_(std::max<std::size_t>(read_size, 1)) {}

  std::string_view view() const noexcept { return std::string_view(bytes_).substr(begin_); }
  bool at_end() const noexcept { return at_end_; }
  void consume(std::size_t n) noexcept { begin_ += n; }

  // Reads more after what the window holds: a read's worth, or as much as it
  // holds already, so a piece that spans many reads is parsed again only a
  // few times. `line` is where a read error is reported.
  void read_more(std::size_t line) {
    bytes_.erase(0, begin_);
    begin_ = 0;
    const std::size_t held = bytes_.size();
    const std::size_t want = std::max(read_size_, held);
    bytes_.resize(held + want);
    errno = 0;
    const std::size_t got = std::fread(&bytes_[held], 1, want, file_);
    bytes_.resize(held + got);
    if (got == want) return;
    if (std::ferror(file_)) {
      const int error = errno;
      throw ReadError(name_ + ":" + std::to_string(line) +
                      ": cannot read: " + (error != 0 ? std::strerror(error) : "read error"));
    }
    at_end_ = true;
  }

 private:
  std::FILE* file_;
  const std::string& name_;
  std::size_t read_size_;
  std::string bytes_;
  std::size_t begin_ = 0;
  bool at_end_ = false;
};

// A report has a line feed every few dozen bytes: found one by one, not
// counted byte by byte.
std::size_t line_feeds(std::string_view text) noexcept {
  std::size_t count = 0;
  for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
    ++count;
  return count;
}

bool is_blank(std::string_view text) noexcept {
  return text.find_first_not_of("\r\n \t") == std::string_view::npos;
}

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

class Reader {
 public:
  Reader(std::FILE* file, const std::string& name, ReportVisitor& visitor, std::size_t read_size)
      : name_(name), input_(file, name, read_size), visitor_(visitor) {}

  ReadResult run() {
    input_.read_more(line_);
    while (step()) {
    }
    return std::move(result_);
  }

 private:
  std::string where(std::size_t line) const { return name_ + ":" + std::to_string(line) + ": "; }
  std::size_t line_at(std::size_t at) const {
    return line_ + line_feeds(input_.view().substr(0, at));
  }
  void consume(std::size_t size) {
    line_ = line_at(size);
    consumed_ += size;
    input_.consume(size);
  }
  void warn(std::size_t at, const std::string& text) {
    result_.warnings.push_back(where(line_at(at)) + "warning: " + text);
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
    const std::string_view window = input_.view();
    const ReportParser parser(window, input_.at_end());
    Step step;
    if (expect_ == Expect::kBlock && parser.at_closing()) {
      std::string_view notice;
      step = parser.closing(notice);
      if (step.outcome == Outcome::kParsed) {
        // A notice that stops part way is a cut too; another wording is
        // another build's.
        const std::string_view ours = timer::kReportNotice;
        if (notice.size() < ours.size() && ours.substr(0, notice.size()) == notice)
          report_cut_short(step.at);
        consume(step.at);
        expect_ = Expect::kNextReport;
        return true;
      }
    } else if (expect_ == Expect::kBlock) {
      AreaBlock block;
      step = parser.block(language_, block);
      if (step.outcome == Outcome::kParsed) {
        visitor_.area(block);
        ++blocks_;
        consume(step.at);
        return true;
      }
    } else {
      if (expect_ == Expect::kNextReport && window.empty()) {
        if (input_.at_end()) return false;
        input_.read_more(line_);
        return true;
      }
      ReportOpening opening;
      step = parser.opening(opening);
      if (step.outcome == Outcome::kParsed) {
        ++result_.reports;
        // Its first line break ends the line before, unless nothing came
        // before it.
        report_line_ = consumed_ == 0 ? 1 : line_ + 1;
        blocks_ = 0;
        language_ = opening.language;
        visitor_.report(opening);
        consume(step.at);
        expect_ = Expect::kBlock;
        return true;
      }
    }
    return unparsed(step, window);
  }

  // What to do when the piece is not whole.
  bool unparsed(const Step& step, std::string_view window) {
    const bool in_report = expect_ == Expect::kBlock;
    switch (step.outcome) {
      case Outcome::kParsed: return true;
      case Outcome::kIncomplete:
        if (!input_.at_end()) {
          input_.read_more(line_);
          return true;
        }
        if (in_report) {
          report_cut_short(0);
        } else if (expect_ == Expect::kNextReport && is_blank(window)) {
          // Line breaks or spaces after the last notice: an editor's, say.
        } else if (result_.reports == 0) {
          throw ReadError(where(line_) + (window.empty() ? "no report: the input is empty"
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
      case Outcome::kBroken:
        if (expect_ == Expect::kNextReport && is_blank(window)) {
          if (input_.at_end()) return false;
          input_.read_more(line_);
          return true;
        }
        if (result_.reports == 0 && window.size() < kHintBytes && !input_.at_end()) {
          input_.read_more(line_);  // so the hint does not depend on where a read ended
          return true;
        }
        if (result_.reports == 0)
          throw ReadError(where(line_at(step.at)) + "not a report: expected " + step.expected +
                          hint(window));
        if (expect_ == Expect::kNextReport)
          throw ReadError(where(line_at(step.at)) +
                          "expected another report or the end of the input after the "
                          "closing notice");
        throw ReadError(where(line_at(step.at)) + "expected " + step.expected);
    }
    return false;
  }

  const std::string& name_;
  InputWindow input_;
  ReportVisitor& visitor_;
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
