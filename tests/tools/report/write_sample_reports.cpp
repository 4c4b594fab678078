// Writes the sample report files into a folder, for the chart check.
//   vykpav_report_samples <folder>
#include <string>

#include "support/sample_reports.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = std::string(argv[1]) + "/";
  report_testing::write_before(folder + "before.txt");
  report_testing::write_after(folder + "after.txt");
  for (const int areas : {2, 200}) {
    const std::string stem = folder + std::to_string(areas) + "_areas_";
    report_testing::write_many(stem + "before.txt", areas, false);
    report_testing::write_many(stem + "after.txt", areas, true);
  }
  return 0;
}
