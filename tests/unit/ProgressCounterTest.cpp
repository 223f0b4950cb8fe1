#include <gtest/gtest.h>

#include "engine/ProgressCounter.h"

TEST(ProgressCounter, StepPastTheMaximumStartsOverAdvanceAndPositionAreHeldInRange) {
  ProgressCounter bar(0, 350, 1);
  bar.StepBy(345);
  for (int i = 0; i < 5; ++i) bar.StepIt();
  EXPECT_EQ(bar.Position(), 350);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 1);
  bar.StepBy(400);
  EXPECT_EQ(bar.Position(), 350);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(351);
  EXPECT_EQ(bar.Position(), 350);
}
