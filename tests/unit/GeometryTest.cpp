#include <gtest/gtest.h>

#include <cmath>

#include "math/BoundingBox.h"
#include "math/Rect.h"
#include "math/Vector2.h"

TEST(Vector2Test, ArithmeticIsComponentwise) {
    const Vector2 zero;
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    const Vector2 a(1.5f, -2.0f);
    const Vector2 b(0.5f, 4.0f);
    EXPECT_EQ((a + b).x, 2.0f);
    EXPECT_EQ((a + b).y, 2.0f);
    EXPECT_EQ((a - b).x, 1.0f);
    EXPECT_EQ((a - b).y, -6.0f);
    EXPECT_EQ((a * 2.0f).y, -4.0f);
    Vector2 c = a;
    (c += b) -= Vector2(1.0f, 1.0f);
    EXPECT_EQ(c.x, 1.0f);
    EXPECT_EQ(c.y, 1.0f);
}

TEST(Vector2Test, DivisionMultipliesByTheFloatReciprocal) {
    const Vector2 v = Vector2(1.0f, 10.0f) / 3.0f;
    const float inverse = 1.0f / 3.0f;
    EXPECT_EQ(v.x, 1.0f * inverse);
    EXPECT_EQ(v.y, 10.0f * inverse);
}

TEST(Vector2Test, NormalizeKeepsZeroAndScalesOthersToUnitLength) {
    Vector2 zero;
    zero.Normalize();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    Vector2 v(3.0f, 4.0f);
    EXPECT_FLOAT_EQ(v.Length(), 5.0f);
    v.Normalize();
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.y, 0.8f);
    EXPECT_FLOAT_EQ(Vector2::Dot(Vector2(1.0f, 2.0f), Vector2(3.0f, -4.0f)), -5.0f);
}

TEST(RectTest, AllFourEdgesBelongToTheRectangle) {
    const Rect r(Vector2(100.0f, 200.0f), Vector2(164.0f, 232.0f));
    EXPECT_TRUE(r.Contains(Vector2(100.0f, 200.0f)));
    EXPECT_TRUE(r.Contains(Vector2(164.0f, 232.0f)));
    EXPECT_TRUE(r.Contains(Vector2(130.0f, 210.0f)));
    EXPECT_FALSE(r.Contains(Vector2(164.01f, 210.0f)));
    EXPECT_FALSE(r.Contains(Vector2(130.0f, 199.99f)));
    const Rect empty;
    EXPECT_TRUE(empty.Contains(Vector2(0.0f, 0.0f)));
    EXPECT_FALSE(empty.Contains(Vector2(0.0f, 0.5f)));
}

TEST(BoundingBoxTest, TouchingEdgesAndCornersOverlap) {
    const BoundingBox a(0.0f, 10.0f, 0.0f, 10.0f);
    EXPECT_TRUE(a.Overlaps(BoundingBox(10.0f, 20.0f, 0.0f, 10.0f)));
    EXPECT_TRUE(a.Overlaps(BoundingBox(-5.0f, 0.0f, 0.0f, 10.0f)));
    EXPECT_TRUE(a.Overlaps(BoundingBox(0.0f, 10.0f, 10.0f, 20.0f)));
    EXPECT_TRUE(a.Overlaps(BoundingBox(10.0f, 20.0f, 10.0f, 20.0f)));
    EXPECT_TRUE(a.Overlaps(BoundingBox(2.0f, 3.0f, 2.0f, 3.0f)));
}

TEST(BoundingBoxTest, BoxesApartByTheSmallestStepDoNotOverlap) {
    const BoundingBox a(0.0f, 10.0f, 0.0f, 10.0f);
    const float justRight = std::nextafter(10.0f, 20.0f);
    const float justBelow = std::nextafter(0.0f, -1.0f);
    EXPECT_FALSE(a.Overlaps(BoundingBox(justRight, 20.0f, 0.0f, 10.0f)));
    EXPECT_FALSE(BoundingBox(justRight, 20.0f, 0.0f, 10.0f).Overlaps(a));
    EXPECT_FALSE(a.Overlaps(BoundingBox(0.0f, 10.0f, -10.0f, justBelow)));
    EXPECT_FALSE(a.Overlaps(BoundingBox(0.0f, 10.0f, std::nextafter(10.0f, 20.0f), 20.0f)));
}
