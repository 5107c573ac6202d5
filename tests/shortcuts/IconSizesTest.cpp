// Which shell icon list the shortcut list shows at a resolution.

#include "shortcuts/IconSizes.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

// The shell's small, large and extra large lists as a screen at 96 dots per inch has them.
const std::vector<int> kShellLists{16, 32, 48};

TEST(NearestIconSize, TakesTheListOfTheSizeTheResolutionWants) {
  EXPECT_EQ(1u, NearestIconSize(32, kShellLists));  // large icons at 100 %
  EXPECT_EQ(0u, NearestIconSize(16, kShellLists));  // small icons at 100 %
  EXPECT_EQ(2u, NearestIconSize(48, kShellLists));  // large icons at 150 %
  EXPECT_EQ(2u, NearestIconSize(64, kShellLists));  // beyond the largest: the largest
  EXPECT_EQ(0u, NearestIconSize(12, kShellLists));
  // Order does not matter.
  EXPECT_EQ(0u, NearestIconSize(40, {48, 16, 32}));
}

TEST(NearestIconSize, TieGoesToTheLargerAndMissingListsAreSkipped) {
  EXPECT_EQ(1u, NearestIconSize(24, kShellLists));  // small icons at 150 %: 16 and 32 as near
  EXPECT_EQ(2u, NearestIconSize(40, kShellLists));
  EXPECT_EQ(1u, NearestIconSize(48, {16, 32, 0}));  // no extra large list
  EXPECT_EQ(1u, NearestIconSize(16, {-1, 32}));
  EXPECT_FALSE(NearestIconSize(32, {}));
  EXPECT_FALSE(NearestIconSize(32, {0, -1}));
}

}  // namespace
}  // namespace tessaly
