#pragma once
// The line list: the in-memory form of the three data files.

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

}  // namespace tessaly
