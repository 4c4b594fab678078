// The shared library's load and unload hooks: the report text buffer lives
// exactly as long as the library is loaded.
#include "timer/report_buffer.h"

#if defined(_WIN32)
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);  // no per-thread state to set up
      // No exception may leave here, into the loader and whoever loads the
      // library; without the memory now, the first report makes the buffer.
      try {
        vykpav::timer::create_report_buffer();
      } catch (...) {
      }
      break;
    case DLL_PROCESS_DETACH: vykpav::timer::release_report_buffer(); break;
    default: break;
  }
  return TRUE;
}

#else

namespace {

__attribute__((constructor)) void on_library_load() { vykpav::timer::create_report_buffer(); }

__attribute__((destructor)) void on_library_unload() { vykpav::timer::release_report_buffer(); }

}  // namespace

#endif
