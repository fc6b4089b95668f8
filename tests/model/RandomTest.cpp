#include "model/Random.h"

#include <gtest/gtest.h>

namespace tinsori {
namespace {

TEST(Random, FollowsTheRandContract) {
    Random seeded(1);
    Random fresh;  // an unseeded thread starts at 1
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(seeded.next(), expected);
        EXPECT_EQ(fresh.next(), expected);
    }
    Random big(0xFFFFFFFFu);  // the state wraps modulo 2^32
    EXPECT_EQ(big.next(), 35);
    EXPECT_EQ(big.state(), 2316998u);
}

TEST(Random, DerivedDrawsConsumeExactlyOneValue) {
    // From seed 7 the draws are 61 and 17422.
    Random a(7);
    EXPECT_EQ(a.mod(100), 61);
    EXPECT_DOUBLE_EQ(a.unit(), 0.4844);
    EXPECT_EQ(a.state(), 3289278137u);
    // A bound out of range must neither divide by zero nor skip a draw.
    Random b(7);
    EXPECT_EQ(b.mod(0), 0);
    EXPECT_EQ(b.mod(-3), 0);
    EXPECT_EQ(b.state(), 3289278137u);
}

TEST(Random, UnitStaysInHalfOpenRange) {
    Random r(3);
    for (int i = 0; i < 20000; ++i) {
        double u = r.unit();
        ASSERT_GE(u, -1.0);
        ASSERT_LT(u, 1.0);
    }
}

}  // namespace
}  // namespace tinsori
