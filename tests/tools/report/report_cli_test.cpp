// The program as a user runs it: each command in each format on report files
// the library writes (support/sample_reports.h), exact output,
// exit status and messages; file names in any alphabet. It runs once per
// system language (VYKPAV_E2E_LANGUAGE, en or ru): on Windows the code pages
// follow it, and none of them spells every name.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/sample_reports.h"

namespace {

namespace fs = std::filesystem;
using report_testing::file_text;

// Cyrillic, CJK and a character beyond 16 bits, which no single code page
// holds.
const std::string kUnicodeStem = "отчёт_日本_📊";

std::string language() {
  const char* language = std::getenv("VYKPAV_E2E_LANGUAGE");
  return language != nullptr ? language : "";
}

struct Outcome {
  int status;
  std::string out, err;
};

class Cli : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // One folder per language, for the two tests run at once.
    folder_ = new fs::path(fs::path(testing::TempDir()) / ("vykpav_report_cli_" + language()));
    fs::remove_all(*folder_);
    fs::create_directories(*folder_);
    report_testing::write_before(path("before.txt"));
    report_testing::write_after(path("after.txt"));
    report_testing::write_cut_short(path("cut.txt"));
    std::FILE* empty = std::fopen(path("empty.txt").c_str(), "wb");
    std::fclose(empty);
    fs::copy_file(path("before.txt"), unicode_path(".txt"));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*folder_);
    delete folder_;
  }
  static std::string path(const std::string& name) { return (*folder_ / name).string(); }
  // The file kUnicodeStem + `extension` in the folder.
  static fs::path unicode_path(const std::string& extension) {
    return *folder_ / fs::u8path(kUnicodeStem + extension);
  }

#ifdef _WIN32
  // Runs the program in the folder: `arguments` as cmd.exe, which runs
  // commands on Windows, would split them. It is given the line in UTF-16,
  // so that every character reaches the program. The program's path names
  // the build host's folders, on the drive this test starts on: made whole
  // before cmd.exe changes to the folder's drive.
  static Outcome run(const std::string& arguments) {
    static const std::string program = fs::absolute(VYKPAV_REPORT_PROGRAM).u8string();
    const std::string command = "cd /d \"" + folder_->u8string() + "\" && \"" + program + "\" " +
                                arguments + " >out.txt 2>err.txt";
    const int status = _wsystem(fs::u8path(command).wstring().c_str());
    return {status, file_text(path("out.txt")), file_text(path("err.txt"))};
  }
#else
  // Runs the program in the folder: `arguments` as a shell would split them.
  static Outcome run(const std::string& arguments) {
    const std::string command = "cd '" + folder_->string() + "' && " VYKPAV_REPORT_COMMAND " " +
                                arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, file_text(path("out.txt")),
            file_text(path("err.txt"))};
  }
#endif

  // A command line and all it must print: it succeeds, quietly on stderr.
  struct CleanRun {
    const char* arguments;
    std::string out;
  };
  template <std::size_t kRows>
  static void expect_clean_runs(const CleanRun (&rows)[kRows]) {
    for (const CleanRun& row : rows) {
      SCOPED_TRACE(row.arguments);
      const Outcome r = run(row.arguments);
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.out, row.out);
      EXPECT_EQ(r.err, "");
    }
  }

  static fs::path* folder_;
};

fs::path* Cli::folder_ = nullptr;

const std::string kSummaryText =
    "3 areas in 5 reports\n"
    "\n"
    "area        runs    median       min       max      mean\n"
    "Разбор         5   22.0 µs   20.0 µs   24.0 µs   22.0 µs  ▏\n"
    "parse          5   1.00 ms    990 µs   1.01 ms   1.00 ms  ████▊\n"
    "solve, \"q\"     5   5.00 ms   4.80 ms   5.20 ms   5.00 ms  ████████████████████████\n";

TEST_F(Cli, SummaryInEachFormat) {
  const CleanRun rows[] = {
      {"summary before.txt", kSummaryText},
      {"summary - <before.txt", kSummaryText},
      {"--format text summary before.txt", kSummaryText},
      {"summary --format csv before.txt",
       "name,runs,median_us,min_us,max_us,mean_us\r\n"
       "Разбор,5,22,20,24,22\r\n"
       "parse,5,1000,990,1010,1000\r\n"
       "\"solve, \"\"q\"\"\",5,5000,4800,5200,5000\r\n"},
      {"summary --format json before.txt",
       "{\"reports\":5,\"areas\":[\n"
       "{\"name\":\"Разбор\",\"runs\":5,\"median_us\":22.0,\"min_us\":20,\"max_us\":24,"
       "\"mean_us\":22.0},\n"
       "{\"name\":\"parse\",\"runs\":5,\"median_us\":1000.0,\"min_us\":990,\"max_us\":1010,"
       "\"mean_us\":1000.0},\n"
       "{\"name\":\"solve, \\\"q\\\"\",\"runs\":5,\"median_us\":5000.0,\"min_us\":4800,"
       "\"max_us\":5200,\"mean_us\":5000.0}\n"
       "]}\n"},
      {"summary --format json before.txt after.txt",
       "{\"reports\":10,\"areas\":[\n"
       "{\"name\":\"Разбор\",\"runs\":5,\"median_us\":22.0,\"min_us\":20,\"max_us\":24,"
       "\"mean_us\":22.0},\n"
       "{\"name\":\"emit\",\"runs\":5,\"median_us\":72.0,\"min_us\":70,\"max_us\":74,"
       "\"mean_us\":72.0},\n"
       "{\"name\":\"parse\",\"runs\":10,\"median_us\":750.0,\"min_us\":490,\"max_us\":1010,"
       "\"mean_us\":750.0},\n"
       "{\"name\":\"solve, \\\"q\\\"\",\"runs\":10,\"median_us\":5025.0,\"min_us\":4800,"
       "\"max_us\":5250,\"mean_us\":5025.0}\n"
       "]}\n"},
  };
  expect_clean_runs(rows);
}

TEST_F(Cli, CompareInEachFormat) {
  const CleanRun rows[] = {
      {"compare before.txt after.txt",
       "4 areas; 5 reports before, 5 reports after\n"
       "\n"
       "area          before     after   ratio        p  verdict\n"
       "Разбор       22.0 µs         -       -        -  only before\n"
       "emit               -   72.0 µs       -        -  only after\n"
       "parse        1.00 ms    500 µs   0.500  0.00794  faster               ████│\n"
       "solve, \"q\"   5.00 ms   5.05 ms    1.01     0.69  no change                │\n"
       "\n"
       "ratio: after's median / before's; p: two-sided Mann-Whitney U over the runs, verdict at "
       "alpha 0.05\n"
       "bars: the change, 4 columns per doubling, faster to the left; █ where p < alpha\n"},
      {"compare --format csv before.txt after.txt",
       "name,before_runs,before_median_us,before_min_us,before_max_us,before_mean_us,after_runs,"
       "after_median_us,after_min_us,after_max_us,after_mean_us,ratio,p_value,verdict\r\n"
       "Разбор,5,22,20,24,22,,,,,,,,only before\r\n"
       "emit,,,,,,5,72,70,74,72,,,only after\r\n"
       "parse,5,1000,990,1010,1000,5,500,490,510,500,0.5,0.007936507936507936,faster\r\n"
       "\"solve, \"\"q\"\"\",5,5000,4800,5200,5000,5,5050,4850,5250,5050,1.01,0.6904761904761905,"
       "no change\r\n"},
      {"compare --format json before.txt after.txt",
       "{\"before_reports\":5,\"after_reports\":5,\"areas\":[\n"
       "{\"name\":\"Разбор\",\"before\":{\"runs\":5,\"median_us\":22.0,\"min_us\":20,\"max_us\":24,"
       "\"mean_us\":22.0},\"after\":null,\"ratio\":null,\"p_value\":null,\"verdict\":\"only "
       "before\"},\n"
       "{\"name\":\"emit\",\"before\":null,\"after\":{\"runs\":5,\"median_us\":72.0,\"min_us\":70,"
       "\"max_us\":74,\"mean_us\":72.0},\"ratio\":null,\"p_value\":null,\"verdict\":\"only "
       "after\"},\n"
       "{\"name\":\"parse\",\"before\":{\"runs\":5,\"median_us\":1000.0,\"min_us\":990,\"max_us\":"
       "1010,\"mean_us\":1000.0},\"after\":{\"runs\":5,\"median_us\":500.0,\"min_us\":490,"
       "\"max_us\":510,\"mean_us\":500.0},\"ratio\":0.5,\"p_value\":0.007936507936507936,"
       "\"verdict\":\"faster\"},\n"
       "{\"name\":\"solve, \\\"q\\\"\",\"before\":{\"runs\":5,\"median_us\":5000.0,\"min_us\":4800,"
       "\"max_us\":5200,\"mean_us\":5000.0},\"after\":{\"runs\":5,\"median_us\":5050.0,"
       "\"min_us\":4850,\"max_us\":5250,\"mean_us\":5050.0},\"ratio\":1.01,\"p_value\":"
       "0.6904761904761905,\"verdict\":\"no change\"}\n"
       "]}\n"},
  };
  expect_clean_runs(rows);
}

TEST_F(Cli, AlphaDecidesTheVerdict) {
  // parse: 5 against 5 wholly apart, p = 2 / 252 = 0.0079.
  const Outcome strict = run("compare --format csv --alpha 0.001 before.txt after.txt");
  EXPECT_EQ(strict.status, 0);
  EXPECT_NE(strict.out.find(",0.007936507936507936,too few runs\r\n"), std::string::npos)
      << strict.out;
  const Outcome loose = run("compare before.txt after.txt --format csv --alpha 0.75");
  EXPECT_NE(loose.out.find(",0.6904761904761905,slower\r\n"), std::string::npos) << loose.out;
}

TEST_F(Cli, ACutShortFileGivesItsCompleteBlocksAndAWarning) {
  const Outcome r = run("summary --format csv cut.txt");
  EXPECT_EQ(r.status, 0);
  // The second report keeps parse (1234 µs), not solve, whose block was cut.
  EXPECT_EQ(r.out,
            "name,runs,median_us,min_us,max_us,mean_us\r\n"
            "parse,2,1234,1234,1234,1234\r\n"
            "\"solve, \"\"q\"\"\",1,5678,5678,5678,5678\r\n");
  EXPECT_EQ(r.err,
            "vykpav-report: cut.txt:29: warning: the report that starts on line 20 was cut "
            "short; its 1 complete area block is counted\n");
}

TEST_F(Cli, ErrorsAreOneLineAndExitStatusTwo) {
  struct Row {
    const char* arguments;
    std::string err;  // its first line; empty: only the status is checked
  };
  const Row rows[] = {
      {"summary missing.txt",
       "vykpav-report: missing.txt: cannot open: No such file or directory\n"},
      // A path, not an option as CLI11 would take it on Windows.
      {"summary /missing.txt",
       "vykpav-report: /missing.txt: cannot open: No such file or directory\n"},
      {"summary empty.txt", "vykpav-report: empty.txt:1: no report: the input is empty\n"},
      {"summary before.txt empty.txt",
       "vykpav-report: empty.txt:1: no report: the input is empty\n"},
      {"summary err.txt",
       "vykpav-report: err.txt:1: no report: the input is empty\n"},  // the shell made it empty
      {"summary .", "vykpav-report: .:1: cannot read: Is a directory\n"},
      {"compare - - <before.txt", "vykpav-report: standard input (-) can be read only once\n"},
      {"summary before.txt --svg no/such/folder/chart.svg",
       "vykpav-report: no/such/folder/chart.svg: cannot write: No such file or directory\n"},
      {"", "A subcommand is required\n"},
      {"summary", "FILE is required\n"},
      {"compare before.txt", "AFTER is required\n"},
      {"summary --format xml before.txt", ""},
      {"compare --alpha 0 before.txt after.txt", ""},
      {"compare --alpha 1 before.txt after.txt", ""},
      {"compare --alpha x before.txt after.txt", ""},
      {"average before.txt", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments);
    const Outcome r = run(row.arguments);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(r.err.empty());
    if (!row.err.empty()) {
      EXPECT_EQ(r.err.substr(0, r.err.find('\n') + 1), row.err);
    }
  }
}

TEST_F(Cli, HelpAndTheChartFile) {
  const Outcome help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("summary"), std::string::npos);
  EXPECT_NE(help.out.find("compare"), std::string::npos);
  EXPECT_NE(help.out.find("On Windows a console is written in UTF-16"), std::string::npos);
  EXPECT_EQ(help.out.find('\r'), std::string::npos) << "lines end in LF on every system";
  for (const char* arguments :
       {"summary before.txt --svg chart.svg", "compare before.txt after.txt --svg chart.svg"}) {
    SCOPED_TRACE(arguments);
    std::remove(path("chart.svg").c_str());
    const Outcome r = run(arguments);
    EXPECT_EQ(r.status, 0);
    const std::string svg = file_text(path("chart.svg"));
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0u);
    EXPECT_NE(svg.find("Разбор"), std::string::npos) << "names in UTF-8";
    EXPECT_NE(svg.find("solve, &quot;q&quot;"), std::string::npos) << "markup escaped";
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
  }
}

TEST_F(Cli, FileNamesInAnyAlphabet) {
  const std::string name = kUnicodeStem + ".txt";
  const Outcome summary = run("summary " + name);
  EXPECT_EQ(summary.status, 0);
  EXPECT_EQ(summary.out, kSummaryText);
  EXPECT_EQ(summary.err, "");

  const Outcome chart =
      run("compare " + name + " after.txt --format csv --svg " + kUnicodeStem + ".svg");
  EXPECT_EQ(chart.status, 0);
  EXPECT_EQ(chart.err, "");
  std::ifstream svg(unicode_path(".svg"), std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(svg), std::istreambuf_iterator<char>()};
  EXPECT_EQ(text.rfind("<?xml ", 0), 0u) << "the chart's file, named in UTF-16 on Windows";

  // The name in a message is UTF-8, as the output.
  const Outcome missing = run("summary нет_" + name);
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err,
            "vykpav-report: нет_" + name + ": cannot open: No such file or directory\n");
}

#ifdef _WIN32
// The language the test is asked to run in is the one Windows runs it in:
// its ANSI code page spells Cyrillic in Russian, Western letters in English.
TEST_F(Cli, RunsInTheSystemLanguage) {
  ASSERT_TRUE(language() == "en" || language() == "ru") << "VYKPAV_E2E_LANGUAGE";
  EXPECT_EQ(GetACP(), language() == "ru" ? 1251u : 1252u);
}
#endif

}  // namespace
