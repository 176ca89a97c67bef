#include "ui/mouse_pointer.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_platform.h"

namespace tolvanex {
namespace {

TEST(CMousePointer, RestoresThePointerInForceBeforeItsFirstSetting) {
  testing::ScriptedPlatform desktop;
  desktop.Pointer = 0;
  {
    CMousePointer guard(desktop);
    guard.MousePointer(kPointerHourglass);
    EXPECT_EQ(desktop.Pointer, 11);
    guard.MousePointer(0);
    EXPECT_EQ(desktop.Pointer, 0);
    desktop.Pointer = 5;  // changed behind the guard's back: the first saved value still wins
  }
  EXPECT_EQ(desktop.Pointer, 0);
  EXPECT_EQ(desktop.PointerHistory, (std::vector<int>{11, 0, 0}));
}

TEST(CMousePointer, AGuardNeverSetChangesNothing) {
  testing::ScriptedPlatform desktop;
  desktop.Pointer = 3;
  { CMousePointer guard(desktop); }
  EXPECT_EQ(desktop.Pointer, 3);
  EXPECT_TRUE(desktop.PointerHistory.empty());
}

TEST(CMousePointer, NestedGuardsRestoreInTurn) {
  testing::ScriptedPlatform desktop;
  {
    CMousePointer outer(desktop);
    outer.MousePointer(11);
    {
      CMousePointer inner(desktop);
      inner.MousePointer(1);
      EXPECT_EQ(desktop.Pointer, 1);
    }
    EXPECT_EQ(desktop.Pointer, 11);
  }
  EXPECT_EQ(desktop.Pointer, 0);
}

TEST(CMousePointer, ACodeBeyondSixteenBitsIsReportedAndChangesNothing) {
  testing::ScriptedPlatform desktop;
  desktop.Pointer = 2;
  {
    CMousePointer guard(desktop);
    guard.MousePointer(40000);
    EXPECT_EQ(desktop.Pointer, 2);
    ASSERT_EQ(desktop.Messages.size(), 1u);
    EXPECT_EQ(desktop.Messages[0].Text, "Overflow");
    EXPECT_EQ(desktop.Messages[0].Title, "Tolvanex");
    desktop.Pointer = 7;
  }
  EXPECT_EQ(desktop.Pointer, 2);  // the pointer read before the failed setting comes back
}

}  // namespace
}  // namespace tolvanex
