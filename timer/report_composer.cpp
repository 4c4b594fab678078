#include "timer/report_composer.h"

#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "timer/elapsed_time.h"
#include "timer/messages.h"

namespace vykpav::timer {

using Selvorin::ulong32;
using Selvorin::VYKNB64;

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kDots =
    "......................................................................";
constexpr std::string_view kHeadMiddle = ": __________ ";
constexpr std::string_view kHeadEnd = " __________";
constexpr ulong32 kGroupedFormat = 3;              // groups of three, space between
constexpr ulong32 kHeadNumberFormat = 0x00140003;  // the same, at least 20 digits
constexpr int kNumberBufferSize = 256;

void append_number(std::string& out, VYKNB64 value, ulong32 format) {
  unsigned char text[kNumberBufferSize];
  const int length = value.VsStr(text, format, 10);
  out.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

void append_line_number(std::string& out, int line) {
  platform::append_unsigned(out, static_cast<std::uint32_t>(line));
}

// Byte i of `name` followed by " __________", the rest of its head line.
unsigned char tail_byte(const std::string& name, std::size_t i) {
  return static_cast<unsigned char>(i < name.size() ? name[i] : kHeadEnd[i - name.size()]);
}

// Head lines of equal microseconds differ from the name on: compare the names
// each followed by " __________", byte by byte as unsigned values.
bool name_tail_less(const std::string& a, const std::string& b) {
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

void append_head_line(std::string& out, const VYKNB64& microseconds, std::string_view word,
                      const std::string& name) {
  append_number(out, microseconds, kHeadNumberFormat);
  out += ' ';
  out += word;
  out += kHeadMiddle;
  out += name;
  out += kHeadEnd;
}

// "<label>"<file>"<line label><line>" and its line break.
void append_position_line(std::string& out, std::string_view label, const std::string& file,
                          std::string_view line_label, int line) {
  out += label;
  out += '"';
  out += file;
  out += '"';
  out += line_label;
  append_line_number(out, line);
  out += kLineBreak;
}

void append_area_block(std::string& out, const Messages& text, const VYKNB64& frequency,
                       const Area& area) {
  const ElapsedTime time = elapsed_time(area.record, frequency);
  append_head_line(out, time.microseconds, text.head_word, area.name);
  out += kLineBreak;
  out += kDots;
  out += kLineBreak;
  out += text.velocity_label;
  append_number(out, time.microseconds, kGroupedFormat);
  out += text.microseconds_unit;
  append_number(out, time.milliseconds, kGroupedFormat);
  out += text.milliseconds_unit;
  append_number(out, time.seconds, kGroupedFormat);
  out += text.seconds_unit;
  out += kLineBreak;
  append_position_line(out, text.begin_label, area.record.start_file, text.line_label,
                       area.record.start_line);
  append_position_line(out, text.end_label, area.record.end_file, text.line_label,
                       area.record.end_line);
  out += kLineBreak;
}

}  // namespace

std::vector<OrderedArea> order_areas(const AreaTable& table, const VYKNB64& frequency) {
  std::vector<OrderedArea> ordered;
  for (const Area& area : table.areas()) {
    if (area.record.start_ticks == 0u) continue;  // never begun
    const VYKNB64 ticks = area.record.end_ticks - area.record.start_ticks;
    ordered.push_back(OrderedArea{ticks_to_units(ticks, frequency, 1000000), &area});
  }
  // The head line starts with the microseconds zero-filled to a fixed width,
  // so its byte order is the numeric order first.
  std::sort(ordered.begin(), ordered.end(), [](const OrderedArea& a, const OrderedArea& b) {
    if (a.microseconds != b.microseconds) return a.microseconds < b.microseconds;
    return name_tail_less(a.area->name, b.area->name);
  });
  return ordered;
}

void compose_report(std::string& out, const ReportHeader& header,
                    const std::vector<OrderedArea>& areas) {
  const Messages& text = messages(header.language);
  out.clear();
  out += kLineBreak;
  out += text.frequency_label;
  append_number(out, header.frequency, kGroupedFormat);
  out += text.frequency_unit;
  out += kLineBreak;
  out += "        ";
  out += header.date;
  out += "  ";
  out += header.time;
  out += kLineBreak;
  out += kLineBreak;
  for (const OrderedArea& entry : areas) append_area_block(out, text, header.frequency, *entry.area);
  out += kLineBreak;
  out += kLineBreak;
  out += kReportNotice;
}

}  // namespace vykpav::timer
