// The command line, files and streams on Windows, through the UTF-16
// ("wide") functions: the narrow ones pass every text through the ANSI code
// page, which spells only a few alphabets (cp1252 has no Cyrillic, cp1251
// no Greek), and a console shows bytes in its own code page (cp437, cp866),
// not UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <initializer_list>
#include <memory>

#include "tools/report/system_io.h"

namespace vykpav::report {

namespace {

// The conversions count in int: a text must fit (no path or name comes
// near).
bool fits_int(std::string_view text) { return text.size() <= INT_MAX; }

// Malformed UTF-8 becomes U+FFFD, as a UTF-8 reader shows it.
std::wstring utf16(std::string_view utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string utf8(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return std::string();
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  text.pop_back();  // the terminating NUL
  return text;
}

// The console behind `file`, or nullptr when it writes to a file or a pipe.
HANDLE console_of(std::FILE* file) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) return nullptr;
  return handle;
}

// The UTF-16 units WriteConsoleW takes at once: older consoles refuse a
// write much larger than their buffer.
constexpr std::size_t kConsoleWrite = 8192;

bool write_console(HANDLE console, const std::wstring& text) {
  for (std::size_t at = 0; at < text.size();) {
    std::size_t count = std::min(kConsoleWrite, text.size() - at);
    // A surrogate pair stays in one write.
    if (at + count < text.size() && IS_HIGH_SURROGATE(text[at + count - 1]) && count > 1) --count;
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data() + at, static_cast<DWORD>(count), &written, nullptr) ||
        written == 0)
      return false;
    at += written;
  }
  return true;
}

}  // namespace

void prepare_standard_streams() {
  for (std::FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
}

// CommandLineToArgvW splits the line by the C runtime's rules, as argv is.
std::vector<std::string> utf8_arguments(int argc, char** argv) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> wide(
      CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  if (!wide) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(utf8(wide.get()[i]));
  return arguments;
}

std::FILE* open_file(const std::string& utf8_path, const char* mode) {
  if (!fits_int(utf8_path)) {
    errno = ENAMETOOLONG;
    return nullptr;
  }
  const std::wstring path = utf16(utf8_path);
  errno = 0;
  std::FILE* file = _wfopen(path.c_str(), utf16(mode).c_str());
  if (file == nullptr) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      errno = EISDIR;
  }
  return file;
}

bool write_text(std::FILE* file, std::string_view utf8) {
  const HANDLE console = console_of(file);
  if (console == nullptr) return std::fwrite(utf8.data(), 1, utf8.size(), file) == utf8.size();
  // What the stream holds goes out first.
  return fits_int(utf8) && std::fflush(file) == 0 && write_console(console, utf16(utf8));
}

}  // namespace vykpav::report
