#pragma once
// The line list: the in-memory form of the three data files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

using LineList = std::vector<std::string>;

// CR LF, a lone LF and a lone CR each end a line. A final line without an ending
// still counts; an empty file has no lines.
LineList SplitLines(std::string_view bytes);

// Every line, the last included, followed by CR LF.
std::string JoinLines(const LineList& lines);

// A 64-bit check of the lines' contents: equal lines give equal checks, and a change
// of any line changes it but by a rare accident. Line ends do not count, so a file
// read back after a write has the check of the lines written. Fast enough to run over
// every line of every save.
std::uint64_t HashLines(const LineList& lines);

}  // namespace tessaly
