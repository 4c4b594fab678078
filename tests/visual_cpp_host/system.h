// The few Windows functions the Visual C++ host calls, declared as that
// compiler sees them: the host has no C runtime and no Windows SDK, only
// import libraries that llvm-dlltool makes of kernel32.def and ntdll.def.
#ifndef VYKPAV_TESTS_VISUAL_CPP_HOST_SYSTEM_H
#define VYKPAV_TESTS_VISUAL_CPP_HOST_SYSTEM_H

#define HOST_IMPORT __declspec(dllimport)
#define HOST_WINAPI __stdcall

extern "C" {

HOST_IMPORT void* HOST_WINAPI GetStdHandle(unsigned long which);
HOST_IMPORT int HOST_WINAPI WriteFile(void* file, const void* bytes, unsigned long size,
                                      unsigned long* written, void* overlapped);
HOST_IMPORT int HOST_WINAPI ReadFile(void* file, void* bytes, unsigned long size,
                                     unsigned long* read, void* overlapped);
HOST_IMPORT void* HOST_WINAPI CreateFileA(const char* name, unsigned long access,
                                          unsigned long share, void* security,
                                          unsigned long disposition, unsigned long flags,
                                          void* model);
HOST_IMPORT int HOST_WINAPI CloseHandle(void* handle);
HOST_IMPORT int HOST_WINAPI DeleteFileA(const char* name);
HOST_IMPORT unsigned long HOST_WINAPI GetEnvironmentVariableA(const char* name, char* value,
                                                              unsigned long size);
HOST_IMPORT void HOST_WINAPI Sleep(unsigned long milliseconds);
HOST_IMPORT int HOST_WINAPI QueryPerformanceFrequency(long long* frequency);
HOST_IMPORT unsigned short HOST_WINAPI GetSystemDefaultLangID();
HOST_IMPORT int HOST_WINAPI GetDateFormatA(unsigned long locale, unsigned long flags,
                                           const void* date, const char* format, char* text,
                                           int size);
HOST_IMPORT int HOST_WINAPI GetTimeFormatA(unsigned long locale, unsigned long flags,
                                           const void* time, const char* format, char* text,
                                           int size);
[[noreturn]] HOST_IMPORT void HOST_WINAPI ExitProcess(unsigned int code);

}  // extern "C"

constexpr unsigned long kStdOutput = static_cast<unsigned long>(-11);
constexpr unsigned long kGenericRead = 0x80000000ul;
constexpr unsigned long kOpenExisting = 3;
constexpr unsigned long kLocaleSystemDefault = 0x0800;
inline void* const kInvalidHandle = reinterpret_cast<void*>(-1);

#endif  // VYKPAV_TESTS_VISUAL_CPP_HOST_SYSTEM_H
