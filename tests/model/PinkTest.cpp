#include "model/Pink.h"

#include <gtest/gtest.h>

#include <climits>

namespace tinsori {
namespace {

struct Instance {
    int low, high, cycle;
    int rows, rowSpan, minOut, maxOut;
};

// The generators the program ranges, with the bounds their output must keep.
const Instance kInstances[] = {
    {404 - 1900, 404 + 1900, 2500000, 21, 180, -1486, 2273},  // wind
    {-180, 1180, 250, 7, 194, -179, 1172},                    // energy placement
    {0, 15000, 80, 6, 2500, 0, 14994},                        // wait scaling
    {-14000, 14000, 25000, 14, 2000, -14000, 13986},          // fractal stirring
    {0, 100000, 500, 8, 12500, 0, 99992},                     // as constructed
};

TEST(Pink, RangeSetsRowsSpanPeriodAndMiddle) {
    Random r(1);
    CPink pink(r);
    pink.SetRange(-180, 1180, 250);
    EXPECT_EQ(pink.rows(), 7);
    EXPECT_EQ(pink.rowSpan(), 194);
    EXPECT_EQ(pink.counterPeriod(), 128);
    EXPECT_EQ(pink.value(), 500);

    pink.SetRange(404 - 1900, 404 + 1900, 2500000);
    EXPECT_EQ(pink.value(), 404);
}

TEST(Pink, ConstructionRangesTheDefaultWithOneDraw) {
    Random r(1), twin(1);
    CPink pink(r);
    twin.next();
    EXPECT_EQ(r.state(), twin.state());
    EXPECT_EQ(pink.rows(), 8);
    EXPECT_EQ(pink.value(), 50000);
}

TEST(Pink, OutputStaysWithinEachInstanceBounds) {
    for (const Instance& in : kInstances) {
        SCOPED_TRACE(in.cycle);
        Random r(12345);
        CPink pink(r);
        pink.SetRange(in.low, in.high, in.cycle);
        EXPECT_EQ(pink.rows(), in.rows);
        EXPECT_EQ(pink.rowSpan(), in.rowSpan);
        int lo = INT_MAX, hi = INT_MIN;
        for (int i = 0; i < 200000; ++i) {
            int v = pink.Next();
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        EXPECT_GE(lo, in.minOut);
        EXPECT_LE(hi, in.maxOut);
        EXPECT_LT(lo, hi);
    }
}

TEST(Pink, RedrawsTheRowsWhoseCounterBitsChange) {
    // Seed 1 draws 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464, ...
    // The wait-scaling range has 6 rows of span 2500, each starting at 1250 (total 7500); the
    // counter starts at 18467 % 62 + 1 = 54. Step 54->55 redraws row 0 (6334 % 2500 = 1334),
    // 55->56 rows 0-3, 56->57 row 0, 57->58 rows 0-1.
    Random r(1);
    CPink pink(r);
    pink.SetRange(0, 15000, 80);
    for (int expected : {7584, 7871, 8229, 8628}) EXPECT_EQ(pink.Next(), expected);
    // Six more steps reach the wrap 63->0, which redraws every row: 22 draws over the ten steps
    // after the two of construction and ranging.
    for (int i = 0; i < 6; ++i) pink.Next();
    Random twin(1);
    for (int i = 0; i < 2 + 22; ++i) twin.next();
    EXPECT_EQ(r.state(), twin.state());
}

TEST(Pink, RangesOutsideTheProgramsOwnStaySafe) {
    Random r(5);
    CPink pink(r);
    pink.SetRange(0, 1000, 1);  // cycle below 4
    EXPECT_EQ(pink.rows(), 2);
    EXPECT_EQ(pink.counterPeriod(), 4);
    pink.Next();

    pink.SetRange(7, 7, 500);  // no span to divide
    EXPECT_EQ(pink.rowSpan(), 1);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(pink.Next(), 7);

    pink.SetRange(-5, 5, INT_MAX);  // more rows than the table holds
    EXPECT_EQ(pink.rows(), 30);
    for (int i = 0; i < 100; ++i) pink.Next();
}

}  // namespace
}  // namespace tinsori
