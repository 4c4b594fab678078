// The report composer on arbitrary area names, file texts, counter readings
// and frequencies.
//
// Input layout (a hand-made file stays easy to write):
//   0-7   counter frequency, least significant byte first (0: no counter)
//   8     bit 0: Russian texts
//   9     bits 0-4: number of names (taken modulo 17); bit 6: the first
//         entry of the name array is null; bit 7: no name array at all,
//         so the areas are named "0", "1", ...
//   then the names, each ended by a zero byte (the input's end ends the
//   last one), then marks until the input ends, each:
//   0     bit 0: an end mark (else a begin mark); bit 1: a null file;
//         bit 2: the area name is passed in one reused buffer instead of
//         the name array's own pointer; bits 3-7: index of the area name,
//         taken modulo (number of names + 1), the last index naming the
//         mark's file text instead (normally not an area)
//   1-8   the counter reading the mark gets
//   9-12  the line
//   then the file text, ended by a zero byte.
//
// The marks go through a Timer on a fake platform; a plain map next to it
// records what each mark should leave. The composed report must then be the
// header, exactly one block per begun area (begin reading not 0) in
// nondecreasing order of microseconds (equal ones by the head line's bytes),
// each block holding its area's name whole and its own figures, files and
// lines, and the closing lines ending in the notice. The blocks are found by
// matching, never by splitting lines, since names and file texts may hold
// CR LF and any other byte but 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/printable.h"
#include "timer/messages.h"
#include "timer/report_composer.h"
#include "timer/timer.h"

namespace {

using testing_support::FakePlatform;
using vykpav::timer::Language;
using vykpav::timer::Messages;
using u64 = std::uint64_t;
using u128 = unsigned __int128;

constexpr u64 kMax = ~u64{0};
constexpr std::size_t kMaxNames = 16;
const std::string kNotice = "Selvorin VYK_PAV code area timer";
const std::string kDate = "08.12.2026", kTime = "14:35:07";

// Reads the input from the front; bytes past its end read as 0.
class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  u64 little_endian(int bytes) {
    u64 x = 0;
    for (int i = 0; i < bytes; ++i) x |= u64(byte()) << (8 * i);
    return x;
  }
  // Up to the next zero byte (consumed) or the input's end.
  std::string text() {
    std::string s;
    while (at_ < size_ && data_[at_] != 0) s += char(data_[at_++]);
    if (at_ < size_) ++at_;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct Record {
  u64 start_ticks = 0, end_ticks = 0;
  std::string start_file, end_file;
  int start_line = 0, end_line = 0;
};

// n in decimal, in groups of three separated by spaces, zero-filled to
// `minimum` digits first.
std::string grouped(u64 n, std::size_t minimum = 0) {
  std::string digits = std::to_string(n);
  if (digits.size() < minimum) digits.insert(0, minimum - digits.size(), '0');
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return out;
}

// floor(ticks * per_second / frequency), saturating at 2^64 - 1.
u64 units(u64 ticks, u64 per_second, u64 frequency) {
  const u128 q = u128(ticks) * per_second / frequency;
  return q > kMax ? kMax : u64(q);
}

struct Block {
  std::string name;
  u64 microseconds;
  std::string text;
};

// The block an area should get, figures worked out here with 128-bit
// arithmetic.
Block expected_block(const std::string& name, const Record& r, u64 frequency, const Messages& m) {
  const u64 ticks = r.end_ticks > r.start_ticks ? r.end_ticks - r.start_ticks : 0;
  const u64 us = units(ticks, 1000000, frequency);
  std::string t = grouped(us, 20);
  t += ' ';
  t += m.head_word;
  t += ": __________ " + name + " __________\r\n" + std::string(70, '.') + "\r\n";
  t += m.velocity_label;
  t += grouped(us);
  t += m.microseconds_unit;
  t += grouped(units(ticks, 1000, frequency));
  t += m.milliseconds_unit;
  t += grouped(ticks / frequency);
  t += m.seconds_unit;
  t += "\r\n";
  t += m.begin_label;
  t += "\"" + r.start_file + "\"";
  t += m.line_label;
  t += std::to_string(std::uint32_t(r.start_line)) + "\r\n";
  t += m.end_label;
  t += "\"" + r.end_file + "\"";
  t += m.line_label;
  t += std::to_string(std::uint32_t(r.end_line)) + "\r\n\r\n";
  return {name, us, t};
}

[[noreturn]] void fail(const std::string& what, const std::string& report, std::size_t at) {
  std::fprintf(
      stderr, "%s\n  at byte %zu of %zu: \"%s\"\n", what.c_str(), at, report.size(),
      printable(std::string_view(report).substr(std::min(at, report.size()), 200)).c_str());
  std::abort();
}

bool matches_at(const std::string& report, std::size_t at, const std::string& piece) {
  return report.size() - at >= piece.size() && report.compare(at, piece.size(), piece) == 0;
}

// Head lines of equal microseconds compare from the name on, as the name
// followed by " __________", byte by byte as unsigned values.
bool head_before(const Block& a, const Block& b) {
  if (a.microseconds != b.microseconds) return a.microseconds < b.microseconds;
  return a.name + " __________" < b.name + " __________";
}

// Whether the report from `at` on is the blocks not yet used, each once, in
// order after `previous`, then the closing lines. A name or file text may
// hold another area's whole block, so where several blocks match, each is
// tried. `deepest` keeps where the best attempt got stuck.
bool rest_matches(const std::string& report, std::size_t at, const std::vector<Block>& blocks,
                  std::vector<bool>& used, const Block* previous, std::size_t& deepest) {
  if (at > deepest) deepest = at;
  bool all_used = true;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (used[i]) continue;
    all_used = false;
    if (previous != nullptr && !head_before(*previous, blocks[i])) continue;
    if (!matches_at(report, at, blocks[i].text)) continue;
    used[i] = true;
    if (rest_matches(report, at + blocks[i].text.size(), blocks, used, &blocks[i], deepest))
      return true;
    used[i] = false;
  }
  return all_used && report.compare(at, std::string::npos, "\r\n\r\n" + kNotice) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  FakePlatform platform;
  platform.frequency = in.little_endian(8);
  const Language language = (in.byte() & 1) != 0 ? Language::Russian : Language::English;
  platform.language_id =
      language == Language::Russian ? testing_support::kRussian : testing_support::kEnglishUs;
  platform.date = kDate;
  platform.time = kTime;
  const std::uint8_t shape = in.byte();
  const std::size_t count = (shape & 0x1F) % (kMaxNames + 1);
  const bool null_first = (shape & 0x40) != 0;
  const bool numbered = (shape & 0x80) != 0;

  std::vector<std::string> names(count);
  for (std::string& name : names) name = numbered ? std::string() : in.text();
  std::map<std::string, Record> table;  // what the marks should leave
  std::vector<const char*> pointers(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (numbered) names[i] = std::to_string(i);
    pointers[i] = names[i].c_str();
    if (i == 0 && null_first && !numbered) {
      pointers[i] = nullptr;  // skipped: not an area
    } else {
      table[names[i]];
    }
  }

  vykpav::timer::Timer timer(std::uint32_t(count), numbered ? nullptr : pointers.data(), platform);
  if (platform.frequency == 0) {
    // No counter: an inert timer with no table.
    if (timer.area_table() != nullptr || platform.error_boxes.size() != 1) {
      std::fprintf(stderr, "a zero frequency did not leave the timer inert\n");
      std::abort();
    }
    return 0;
  }

  // A name buffer whose address stays while its contents change.
  std::vector<char> reused(1, '\0');
  while (!in.done()) {
    const std::uint8_t kind = in.byte();
    const u64 reading = in.little_endian(8);
    const int line = int(std::uint32_t(in.little_endian(4)));
    const std::string file = in.text();
    const std::size_t index = std::size_t(kind >> 3) % (count + 1);
    const bool is_end = (kind & 1) != 0;
    const bool null_file = (kind & 2) != 0;

    const std::string& name = index < count ? names[index] : file;
    const char* area = name.c_str();
    if ((kind & 4) != 0) {
      reused.assign(name.c_str(), name.c_str() + name.size() + 1);
      area = reused.data();
    }
    const char* file_text = null_file ? nullptr : file.c_str();
    platform.now = reading;
    if (is_end) {
      timer.end(area, file_text, line);
    } else {
      timer.begin(area, file_text, line);
    }

    const auto it = table.find(name);
    if (null_file || it == table.end()) continue;  // ignored
    Record& r = it->second;
    if (is_end) {
      r.end_ticks = reading;
      r.end_file = file;
      r.end_line = line;
    } else {
      r.start_ticks = reading;
      r.start_file = file;
      r.start_line = line;
    }
  }

  std::string report;
  compose_report(report, {timer.frequency(), language, kDate, kTime},
                 order_areas(*timer.area_table(), timer.frequency()));

  const Messages& m = vykpav::timer::messages(language);
  if (!matches_at(report, 0, "\r\n")) fail("the report does not start with CR LF", report, 0);
  if (report.size() < kNotice.size() ||
      report.compare(report.size() - kNotice.size(), kNotice.size(), kNotice) != 0)
    fail("the report does not end with the notice", report,
         report.size() < kNotice.size() ? 0 : report.size() - kNotice.size());
  std::string header = "\r\n";
  header += m.frequency_label;
  header += grouped(platform.frequency);
  header += m.frequency_unit;
  header += "\r\n        " + kDate + "  " + kTime + "\r\n\r\n";
  if (!matches_at(report, 0, header)) fail("the header is not as expected", report, 0);

  std::vector<Block> blocks;
  for (const auto& [name, record] : table)
    if (record.start_ticks != 0)
      blocks.push_back(expected_block(name, record, platform.frequency, m));
  std::vector<bool> used(blocks.size(), false);
  std::size_t deepest = 0;
  if (!rest_matches(report, header.size(), blocks, used, nullptr, deepest))
    fail("the report is not one block per begun area (" + std::to_string(blocks.size()) +
             ") in order, then the closing lines",
         report, deepest);
  return 0;
}
