// Timers of the Visual C++ host on the system's own counter, language, date
// and time: named and numbered areas, marks, and reports to a named file
// (appended) and to the default file (replaced). Every fixed text of the
// reports, their order and their figures are checked.
#include "expected_report.h"
#include "host.h"
#include "system.h"

namespace host {

namespace {

const char kNamedFile[] = "visual_cpp_host_report.txt";
const char kDefaultFile[] = "VYK_PAV.txt";
const char kFileA[] = "host/a.cpp";
const char kFileB[] = "host/b.cpp";
const char kFast[] = "\xC1\xFB\xF1\xF2\xF0\xEE";  // "Быстро" in code page 1251

// A named timer of eleven names, one of them twice: ten areas, eight begun.
const char* kNames[] = {
    "sleep 20 ms",    "sleep 5 ms", "never ended", "never begun", "ended before begun",
    "negative lines", kFast,        "twice",       "twice",       "ended only",
    "scoped"};

const ExpectedArea kNamedAreas[] = {
    {"sleep 20 ms", kFileA, 100, kFileB, 101, 19000, kLongest},
    {"sleep 5 ms", kFileA, 110, kFileA, 111, 4500, kLongest},
    {"never ended", kFileA, 120, "", 0, 0, 0},
    {"ended before begun", kFileA, 131, kFileB, 130, 0, 0},
    {"negative lines", kFileA, -1, kFileB, -2, 0, kLongest},
    {kFast, kFileA, 140, kFileA, 141, 0, kLongest},
    {"twice", kFileA, 152, kFileB, 153, 0, kLongest},
    {"scoped", kFileB, 170, kFileB, 170, 0, kLongest},
};

void mark_named(Selvorin::VYK_PAV& timer) {
  timer._nachalo("sleep 20 ms", kFileA, 100);
  Sleep(20);
  timer._konec("sleep 20 ms", kFileB, 101);
  timer._nachalo("sleep 5 ms", kFileA, 110);
  Sleep(5);
  timer._konec("sleep 5 ms", kFileA, 111);
  timer._nachalo("never ended", kFileA, 120);
  timer._konec("ended before begun", kFileB, 130);
  timer._nachalo("ended before begun", kFileA, 131);
  timer._nachalo("negative lines", kFileA, -1);
  timer._konec("negative lines", kFileB, -2);
  timer._nachalo(kFast, kFileA, 140);
  timer._konec(kFast, kFileA, 141);
  timer._nachalo("twice", kFileA, 150);
  timer._konec("twice", kFileA, 151);
  timer._nachalo("twice", kFileA, 152);
  timer._konec("twice", kFileB, 153);
  timer._konec("ended only", kFileA, 160);
  { Selvorin::VYK_PAV_Scope scope(timer, "scoped", kFileB, 170); }
  // Marks that change nothing.
  timer._nachalo("no such area", kFileA, 900);
  timer._konec(nullptr, kFileA, 901);
  timer._nachalo("sleep 5 ms", nullptr, 902);
  timer._konec("sleep 5 ms", nullptr, 903);
}

// A timer of the non-const constructor, one area.
const ExpectedArea kMutableAreas[] = {{"mutable", kFileB, 7, kFileB, 8, 0, kLongest}};

// Numbered areas "0" to "11": three begun and never ended, which take the
// order of their names ("10", "11", "2"), and "3" around a sleep.
const ExpectedArea kNumberedAreas[] = {
    {"10", kFileA, 10, "", 0, 0, 0},
    {"11", kFileA, 11, "", 0, 0, 0},
    {"2", kFileA, 2, "", 0, 0, 0},
    {"3", kFileB, 3, kFileB, 4, 1500, kLongest},
};
const ExpectedArea kNumberedAreasLater[] = {
    {"0", kFileB, 0, "", 0, 0, 0},
    {"10", kFileA, 10, "", 0, 0, 0},
    {"11", kFileA, 11, "", 0, 0, 0},
    {"2", kFileA, 2, "", 0, 0, 0},
    {"3", kFileB, 3, kFileB, 4, 1500, kLongest},
};

char g_file[65536];

// The date and time around a report, as the system's default locale writes
// them; the report's are one of the two.
struct Moment {
  char date[64], time[64];
  void take() {
    for (char& c : date) c = 0;
    for (char& c : time) c = 0;
    GetDateFormatA(kLocaleSystemDefault, 0, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(kLocaleSystemDefault, 0, nullptr, nullptr, time, sizeof time);
  }
};

// Reports `timer` to `file_name` and gives the moments around it.
void report(Selvorin::VYK_PAV& timer, const char* file_name, ExpectedReport& expected) {
  Moment before, after;
  before.take();
  timer.pokaz(file_name);
  after.take();
  expected.set_moments(before.date, before.time, after.date, after.time);
}

unsigned long read_all(const char* name) {
  unsigned long size = 0;
  if (!read_file(name, g_file, sizeof g_file - 1, &size)) {
    check(false, name);
    return 0;
  }
  g_file[size] = 0;
  return size;
}

}  // namespace

void check_reports(bool russian) {
  begin_group(russian ? "reports, Russian" : "reports, English");
  check(((GetSystemDefaultLangID() & 0x3FF) == 0x19) == russian,
        "the system's default language is the one this run expects");
  long long frequency = 0;
  check(QueryPerformanceFrequency(&frequency) != 0 && frequency > 0, "a performance counter");
  ExpectedReport expected(russian, static_cast<u64>(frequency));

  // Named areas, reported twice to one file: the second report follows the
  // first one's notice.
  DeleteFileA(kNamedFile);
  {
    Selvorin::VYK_PAV timer(11, kNames);
    mark_named(timer);
    report(timer, kNamedFile, expected);
    const unsigned long first = read_all(kNamedFile);
    check_report(expected, g_file, first, kNamedAreas, 8);

    char* mutable_names[] = {const_cast<char*>("mutable")};
    Selvorin::VYK_PAV other(1, mutable_names);
    other._nachalo("mutable", kFileB, 7);
    other._konec("mutable", kFileB, 8);
    report(other, kNamedFile, expected);
    const unsigned long both = read_all(kNamedFile);
    check(both > first, "the second report is appended");
    check_report(expected, g_file + first, both - first, kMutableAreas, 1);
    report(timer, kNamedFile, expected);
    check_report(expected, g_file + both, read_all(kNamedFile) - both, kNamedAreas, 8);
  }
  DeleteFileA(kNamedFile);

  // Numbered areas, reported twice to the default file: it holds the
  // latest report alone.
  DeleteFileA(kDefaultFile);
  {
    Selvorin::VYK_PAV timer(12, nullptr);
    timer._nachalo("10", kFileA, 10);
    timer._nachalo("11", kFileA, 11);
    timer._nachalo("2", kFileA, 2);
    timer._nachalo("12", kFileA, 12);  // not an area
    timer._nachalo("3", kFileB, 3);
    Sleep(2);
    timer._konec("3", kFileB, 4);
    report(timer, nullptr, expected);
    check_report(expected, g_file, read_all(kDefaultFile), kNumberedAreas, 4);
    timer._nachalo("0", kFileB, 0);
    report(timer, nullptr, expected);
    check_report(expected, g_file, read_all(kDefaultFile), kNumberedAreasLater, 5);
  }
  DeleteFileA(kDefaultFile);
  end_group();
}

}  // namespace host
