#include <gtest/gtest.h>
#include "tests/unit/fake_platform.h"
TEST(Smoke, FakeResets) { reset_program_state(); EXPECT_TRUE(fake.events.empty()); }
