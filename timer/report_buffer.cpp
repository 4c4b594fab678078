#include "timer/report_buffer.h"

namespace vykpav::timer {

namespace {
std::mutex g_buffer_mutex;
std::string* g_buffer = nullptr;
}  // namespace

void create_report_buffer() {
  std::lock_guard<std::mutex> lock(g_buffer_mutex);
  if (g_buffer == nullptr) g_buffer = new std::string();
}

void release_report_buffer() {
  std::lock_guard<std::mutex> lock(g_buffer_mutex);
  delete g_buffer;
  g_buffer = nullptr;
}

LockedReportBuffer::LockedReportBuffer() : lock_(g_buffer_mutex) {
  // Linked statically (as the tests do), no load hook has run: create it now.
  if (g_buffer == nullptr) g_buffer = new std::string();
  text_ = g_buffer;
}

}  // namespace vykpav::timer
