#include "shortcuts/IconSizes.h"

#include <cstdlib>

namespace tessaly {

std::optional<std::size_t> NearestIconSize(int wanted, const std::vector<int>& sizes) {
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i] <= 0) continue;
    if (!best) {
      best = i;
      continue;
    }
    const int distance = std::abs(sizes[i] - wanted);
    const int bestDistance = std::abs(sizes[*best] - wanted);
    if (distance < bestDistance || (distance == bestDistance && sizes[i] > sizes[*best])) best = i;
  }
  return best;
}

}  // namespace tessaly
