#pragma once
// What every benchmark shares: medians, and the rows of the summary table that
// tools/bench.sh gathers from the programs' output (lines starting with "row|").

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tessaly::bench {

inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

inline std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

inline std::string Ms(double value) { return Format("%.1f ms", value); }
inline std::string Ratio(double value) { return Format("%.2fx", value); }

// One line of the table: the figure, Tessaly's value, the floor it is held against
// with its value, the ratio (or difference), the aim and whether it is met.
inline void PrintRow(const std::string& figure, const std::string& value,
                     const std::string& floor, const std::string& ratio, const std::string& aim,
                     bool met) {
  std::printf("row|%s|%s|%s|%s|%s|%s\n", figure.c_str(), value.c_str(), floor.c_str(),
              ratio.c_str(), aim.c_str(), met ? "met" : "MISSED");
  std::fflush(stdout);
}

}  // namespace tessaly::bench
