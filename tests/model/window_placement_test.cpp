#include "model/window_placement.h"

#include <gtest/gtest.h>

namespace tolvanex {
namespace {

// A laptop screen with a panel at the top, and a larger screen to its right.
const std::vector<ScreenArea> kScreens{{0, 24, 1280, 776}, {1280, 0, 1920, 1080}};

TEST(FitToScreens, APlacementOnAScreenStaysWhereItIs) {
  WindowPlacement onFirst{100, 80, 620, 507, false};
  EXPECT_EQ(FitToScreens(onFirst, kScreens), onFirst);
  WindowPlacement onSecond{2000, 300, 800, 600, true};
  EXPECT_EQ(FitToScreens(onSecond, kScreens), onSecond);
}

TEST(FitToScreens, APlacementPartlyOffItsScreenIsMovedOntoIt) {
  // Past the right edge of the second screen, and above the first screen's panel.
  EXPECT_EQ(FitToScreens({3000, 500, 620, 507, false}, kScreens),
            (WindowPlacement{2580, 500, 620, 507, false}));
  EXPECT_EQ(FitToScreens({-200, 0, 620, 507, false}, kScreens),
            (WindowPlacement{0, 24, 620, 507, false}));
  // Mostly on the second screen: it goes there whole.
  EXPECT_EQ(FitToScreens({1200, 100, 620, 507, false}, kScreens),
            (WindowPlacement{1280, 100, 620, 507, false}));
}

TEST(FitToScreens, APlacementOnNoScreenGoesToTheMiddleOfTheFirst) {
  EXPECT_EQ(FitToScreens({5000, 4000, 620, 500, false}, kScreens),
            (WindowPlacement{330, 162, 620, 500, false}));
}

TEST(FitToScreens, AWindowLargerThanItsScreenIsShrunkToIt) {
  EXPECT_EQ(FitToScreens({10, 30, 2000, 1000, false}, kScreens),
            (WindowPlacement{0, 24, 1280, 776, false}));
}

}  // namespace
}  // namespace tolvanex
