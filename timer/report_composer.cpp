#include "timer/report_composer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

#include "base/compiler.h"
#include "number/text_format.h"
#include "number/u64.h"
#include "timer/elapsed_time.h"
#include "timer/messages.h"

namespace vykpav::timer {

using number::from_u64;
using number::to_u64;
using Selvorin::ulong32;
using Selvorin::VYKNB64;

namespace {

constexpr ulong32 kGroupedFormat = 3;              // groups of three, space between
constexpr ulong32 kHeadNumberFormat = 0x00140003;  // the same, at least 20 digits
constexpr ulong32 kLineFormat = 0;                 // "%u": no groups, no fill

void append_number(std::string& out, VYKNB64 value, ulong32 format) {
  unsigned char text[number::kDecimalRoom];
  const int length = value.VsStr(text, format, 10);
  out.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

// Byte i of `name` followed by " __________", the rest of its head line.
unsigned char tail_byte(std::string_view name, std::size_t i) {
  return static_cast<unsigned char>(i < name.size() ? name[i] : kHeadEnd[i - name.size()]);
}

// Head lines of equal microseconds differ from the name on: compare the names
// each followed by " __________", byte by byte as unsigned values.
bool name_tail_less(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  if (const int c = std::memcmp(a.data(), b.data(), common); c != 0) return c < 0;
  const std::size_t length_a = a.size() + kHeadEnd.size();
  const std::size_t length_b = b.size() + kHeadEnd.size();
  for (std::size_t i = common; i < std::min(length_a, length_b); ++i) {
    const unsigned char x = tail_byte(a, i), y = tail_byte(b, i);
    if (x != y) return x < y;
  }
  return length_a < length_b;
}

bool starts_with(std::string_view text, std::string_view prefix) noexcept {
  return text.size() >= prefix.size() &&
         std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// The areas' numbers in the order of the names as they stand in the head
// lines, each followed by " __________". That is the table's own byte order
// except among a name and the names that extend it, which the table keeps
// together right after it: only such groups are sorted again. Empty when no
// name extends another, as the order is then the table's.
std::vector<std::uint32_t> name_order(const Areas& areas) {
  std::vector<std::uint32_t> order;
  for (std::size_t first = 0; first < areas.size();) {
    std::size_t end = first + 1;
    while (end < areas.size() && starts_with(areas[end].name, areas[first].name)) ++end;
    if (end - first > 1) {
      if (order.empty()) {
        order.resize(areas.size());
        std::iota(order.begin(), order.end(), std::uint32_t{0});
      }
      std::sort(order.begin() + static_cast<std::ptrdiff_t>(first),
                order.begin() + static_cast<std::ptrdiff_t>(end),
                [&areas](std::uint32_t a, std::uint32_t b) {
                  return name_tail_less(areas[a].name, areas[b].name);
                });
    }
    first = end;
  }
  return order;
}

// Puts a block's pieces one after another into room made for them beforehand.
class TextWriter {
 public:
  explicit TextWriter(char* at) noexcept : at_(at) {}
  void put(std::string_view piece) noexcept {
    std::memcpy(at_, piece.data(), piece.size());
    at_ += piece.size();
  }
  void put(char c) noexcept { *at_++ = c; }
  // VsStr's zero byte lands where the next piece goes.
  void put_number(std::uint64_t value, ulong32 format) noexcept {
    VYKNB64 number = from_u64(value);
    at_ += number.VsStr(reinterpret_cast<unsigned char*>(at_), format, 10);
  }
  // <label>"<file>"<line label><line> and its line break; the line as "%u".
  void put_position(std::string_view label, std::string_view file, std::string_view line_label,
                    int line) noexcept {
    put(label);
    put('"');
    put(file);
    put('"');
    put(line_label);
    put_number(static_cast<std::uint32_t>(line), kLineFormat);
    put(kLineBreak);
  }
  char* end() const noexcept { return at_; }

 private:
  char* at_;
};

// The most a block takes besides its name and file texts, and room for VsStr
// after any number in it.
std::size_t block_room(const Messages& text) {
  return kLongestGroupedNumber + 1 + text.head_word.size() + kHeadMiddle.size() + kHeadEnd.size() +
         kLineBreak.size() + kDots.size() + kLineBreak.size() + text.velocity_label.size() +
         3 * kLongestGroupedNumber + text.microseconds_unit.size() + text.milliseconds_unit.size() +
         text.seconds_unit.size() + kLineBreak.size() + text.begin_label.size() + 2 +
         text.line_label.size() + kLongestLineNumber + kLineBreak.size() + text.end_label.size() +
         2 + text.line_label.size() + kLongestLineNumber + 2 * kLineBreak.size() +
         number::kDecimalRoom;
}

void append_area_block(std::string& out, const Messages& text, std::size_t room,
                       const ElapsedScales& scales, const Area& area) {
  const VYS_BD& record = area.record;
  const ElapsedTime time = scales(record);
  const std::size_t at = out.size();
  out.resize(at + room + area.name.size() + record.start_file.size() + record.end_file.size());
  TextWriter block(&out[at]);
  block.put_number(to_u64(time.microseconds), kHeadNumberFormat);
  block.put(' ');
  block.put(text.head_word);
  block.put(kHeadMiddle);
  block.put(area.name);
  block.put(kHeadEnd);
  block.put(kLineBreak);
  block.put(kDots);
  block.put(kLineBreak);
  block.put(text.velocity_label);
  block.put_number(to_u64(time.microseconds), kGroupedFormat);
  block.put(text.microseconds_unit);
  block.put_number(to_u64(time.milliseconds), kGroupedFormat);
  block.put(text.milliseconds_unit);
  block.put_number(to_u64(time.seconds), kGroupedFormat);
  block.put(text.seconds_unit);
  block.put(kLineBreak);
  block.put_position(text.begin_label, record.start_file.view(), text.line_label,
                     record.start_line);
  block.put_position(text.end_label, record.end_file.view(), text.line_label, record.end_line);
  block.put(kLineBreak);
  out.resize(static_cast<std::size_t>(block.end() - out.data()));
}

// The blocks follow the order of the times, not the table's, so each area's
// record and texts lie elsewhere in memory than the last one's. Asking for
// them some blocks ahead lets those reads overlap the writing of the blocks
// before: first the record, then, once it is at hand, the texts it points to
// (its name; the file texts are mostly the timer's few kept ones, at hand).
// Chosen, not tuned: bench/README.md measures the composing as a whole, not
// these distances apart.
constexpr std::size_t kRecordsAhead = 16;
constexpr std::size_t kTextsAhead = 8;

void prefetch_record(const Area& area) noexcept {
  const char* at = reinterpret_cast<const char*>(&area);
  base::prefetch(at);
  base::prefetch(at + 64);
  base::prefetch(at + sizeof(Area) - 1);
}

void prefetch_texts(const Area& area) noexcept {
  base::prefetch(area.name.data());
  base::prefetch(area.record.start_file.data());
  base::prefetch(area.record.end_file.data());
}

// A stable sort by time, one pass per byte of the times in which they
// differ: linear in the count, so that a report of 10^6 areas orders each
// area at the cost of a small one's.
void sort_by_microseconds(std::vector<OrderedArea>& areas) {
  if (areas.size() < 2) return;
  constexpr std::size_t kDigits = 8;
  const auto digit = [](const OrderedArea& a, std::size_t d) {
    return static_cast<std::size_t>((a.microseconds >> (8 * d)) & 0xFF);
  };
  std::array<std::array<std::size_t, 256>, kDigits> starts{};
  for (const OrderedArea& area : areas)
    for (std::size_t d = 0; d < kDigits; ++d) ++starts[d][digit(area, d)];
  std::vector<OrderedArea> sorted(areas.size());
  for (std::size_t d = 0; d < kDigits; ++d) {
    std::array<std::size_t, 256>& start = starts[d];
    if (start[digit(areas[0], d)] == areas.size()) continue;  // a byte all times share
    std::size_t sum = 0;
    for (std::size_t& count : start) {
      const std::size_t here = count;
      count = sum;
      sum += here;
    }
    for (const OrderedArea& area : areas) sorted[start[digit(area, d)]++] = area;
    areas.swap(sorted);
  }
}

}  // namespace

OrderedAreas order_areas(const AreaTable& table, const VYKNB64& frequency) {
  const Areas& areas = table.areas();
  const ElapsedScales scales(frequency);
  // The areas in the order of their names, so that a stable sort by time
  // leaves equal times in that order.
  const std::vector<std::uint32_t> by_name = name_order(areas);
  OrderedAreas ordered;
  ordered.areas.reserve(areas.size());
  for (std::size_t k = 0; k < areas.size(); ++k) {
    const Area& area = areas[by_name.empty() ? k : by_name[k]];
    if (to_u64(area.record.start_ticks) == 0) continue;  // never begun
    ordered.areas.push_back(OrderedArea{scales.microseconds(elapsed_ticks(area.record)), &area});
    const std::size_t text_bytes =
        area.name.size() + area.record.start_file.size() + area.record.end_file.size();
    ordered.text_bytes += text_bytes;
    ordered.largest_text_bytes = std::max(ordered.largest_text_bytes, text_bytes);
  }
  // The head line starts with the microseconds zero-filled to a fixed width,
  // so its byte order is the numeric order first, then the names'.
  sort_by_microseconds(ordered.areas);
  return ordered;
}

void compose_report(std::string& out, const ReportHeader& header, const OrderedAreas& ordered,
                    std::size_t piece, const PieceWriter& write) {
  const Messages& text = messages(header.language);
  const ElapsedScales scales(header.frequency);
  const std::vector<OrderedArea>& areas = ordered.areas;
  const std::size_t room = block_room(text);
  out.clear();
  // Room for the whole text, or for a piece and the block that ends it: a
  // report of many areas would otherwise move its text to ever larger
  // storage many times over. Only ever grown: this standard library's
  // reserve also shrinks, and the next larger report would then start again
  // on fresh storage.
  const std::size_t whole = kLineBreak.size() + text.frequency_label.size() +
                            kLongestGroupedNumber + text.frequency_unit.size() + kLineBreak.size() +
                            kDateIndent.size() + header.date.size() + kDateTimeGap.size() +
                            header.time.size() + 4 * kLineBreak.size() + areas.size() * room +
                            ordered.text_bytes + 2 * kLineBreak.size() + kReportNotice.size();
  if (!write) piece = SIZE_MAX;
  const std::size_t largest =
      piece >= whole ? whole : std::min(whole, piece + room + ordered.largest_text_bytes);
  if (largest > out.capacity()) out.reserve(largest);
  out += kLineBreak;
  out += text.frequency_label;
  append_number(out, header.frequency, kGroupedFormat);
  out += text.frequency_unit;
  out += kLineBreak;
  out += kDateIndent;
  out += header.date;
  out += kDateTimeGap;
  out += header.time;
  out += kLineBreak;
  out += kLineBreak;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    if (i + kRecordsAhead < areas.size()) prefetch_record(*areas[i + kRecordsAhead].area);
    if (i + kTextsAhead < areas.size()) prefetch_texts(*areas[i + kTextsAhead].area);
    append_area_block(out, text, room, scales, *areas[i].area);
    if (out.size() >= piece) {
      write(out);
      out.clear();
    }
  }
  out += kLineBreak;
  out += kLineBreak;
  out += kReportNotice;
}

}  // namespace vykpav::timer
