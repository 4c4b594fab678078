// The record kept for one area: its latest begin and end readings with the
// file and line of each mark. The file texts are the timer's kept copies.
#ifndef VYKPAV_TIMER_AREA_RECORD_H
#define VYKPAV_TIMER_AREA_RECORD_H

#include "selvorin/vyknb64.h"
#include "timer/file_text_handle.h"

namespace vykpav::timer {

// A fresh record has both readings zero, both texts empty, both lines zero; a
// zero begin reading means the area was never begun.
struct VYS_BD {
  Selvorin::VYKNB64 start_ticks;
  FileTextHandle start_file;
  int start_line = 0;
  Selvorin::VYKNB64 end_ticks;
  FileTextHandle end_file;
  int end_line = 0;
};

}  // namespace vykpav::timer

#endif  // VYKPAV_TIMER_AREA_RECORD_H
