#include "tests/support/TempDir.h"
#include <gtest/gtest.h>
TEST(Smoke, TempDir) { testing_support::TempDir d; d.write("a", "x"); EXPECT_EQ(d.read("a"), "x"); }
