#include <gtest/gtest.h>

#include "evaluation/PMisc.h"

TEST(Smoke, Works) { EXPECT_EQ(PMisc::EvaluateExpression("2+3*4"), 14); }
