#include <gtest/gtest.h>

#include "position/perft.h"
#include "test_positions.h"

TEST(PerftSlow, InitialPosition) {
  EXPECT_EQ(perft(initialPosition(), 5), 4865609u);
  EXPECT_EQ(perft(initialPosition(), 6), 119060324u);
}
