#pragma once
// Which of the shell's icon lists the shortcut list shows at a resolution: the lists
// come in a few fixed sizes, and the list control draws its icons at the list's size.

#include <cstddef>
#include <optional>
#include <vector>

namespace tessaly {

// The index of the size nearest to wanted; between two as near, the larger, so that a
// window on a finer screen does not get the smaller icons. Sizes of 0 or less are lists
// the system does not have. Nothing when there is none.
std::optional<std::size_t> NearestIconSize(int wanted, const std::vector<int>& sizes);

}  // namespace tessaly
