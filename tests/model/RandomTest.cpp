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
    EXPECT_EQ(big.next(), static_cast<int>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7fff));
}

TEST(Random, DerivedDrawsConsumeExactlyOneValue) {
    Random a(7), b(7);
    EXPECT_EQ(a.mod(100), b.next() % 100);
    EXPECT_EQ(a.unit(), (b.next() % 10000) / 5000.0 - 1.0);
    // A bound out of range must neither divide by zero nor skip a draw.
    EXPECT_EQ(a.mod(0), 0);
    EXPECT_EQ(a.mod(-3), 0);
    b.next();
    b.next();
    EXPECT_EQ(a.state(), b.state());
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
