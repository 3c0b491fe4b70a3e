#include <gtest/gtest.h>

#include <limits>

#include "GameTestSupport.h"
#include "resources/CSprite.h"

using gametest::NewSheet;
using gametest::SetAlpha;

namespace {

class PixelCollideTest : public ::testing::Test {
protected:
    std::unique_ptr<CSprite> a = NewSheet(8, 8);
    std::unique_ptr<CSprite> b = NewSheet(8, 8);
};

}  // namespace

TEST_F(PixelCollideTest, HalfPixelOverlapToTheRightScansColumnSeven) {
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(7.5f, 0.0f)));
    // Only column 7 of this sprite is scanned: clearing it removes the contact.
    for (int y = 0; y < 8; ++y) {
        SetAlpha(*a, 7, y, 0);
    }
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(7.5f, 0.0f)));
}

TEST_F(PixelCollideTest, TouchingEdgesShareNoColumn) {
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(8.0f, 0.0f)));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 8.0f)));
}

TEST_F(PixelCollideTest, HalfPixelOverlapToTheLeftScansNoColumn) {
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(-7.5f, 0.0f)));
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(-7.0f, 0.0f)));
}

TEST_F(PixelCollideTest, RowsAreBoundedLikeColumns) {
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(0.0f, 7.5f)));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, -7.5f)));
}

TEST_F(PixelCollideTest, TheFramesBottomRowIsRowZero) {
    // Only the bottom image row of this sprite is solid; the other sprite sits 7 pixels lower,
    // so only its top row meets this sprite's bottom row.
    a = NewSheet(8, 8, 1, 1, 0);
    for (int x = 0; x < 8; ++x) {
        SetAlpha(*a, x, 7, 255);
    }
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(0.0f, -7.0f)));
    for (int x = 0; x < 8; ++x) {
        SetAlpha(*b, x, 0, 0);
    }
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, -7.0f)));
    // Raising the other sprite by one pixel brings its (solid) second row to the bottom row.
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(0.0f, -6.0f)));
}

TEST_F(PixelCollideTest, AlphaMustExceedTwentyOnBothSides) {
    a = NewSheet(8, 8, 1, 1, 20);
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f)));
    EXPECT_FALSE(b->PixelCollide(a.get(), Vector2(0.0f, 0.0f)));
    a = NewSheet(8, 8, 1, 1, 21);
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f)));
    EXPECT_TRUE(b->PixelCollide(a.get(), Vector2(0.0f, 0.0f)));
}

TEST_F(PixelCollideTest, OnlyTheShownFrameOfASheetCounts) {
    // Four frames of 8 x 8 in a 2 x 2 sheet; only frame 3 (bottom right cell) is solid.
    auto sheet = NewSheet(8, 8, 2, 2, 0);
    for (int y = 8; y < 16; ++y) {
        for (int x = 8; x < 16; ++x) {
            SetAlpha(*sheet, x, y, 255);
        }
    }
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_FALSE(sheet->PixelCollide(b.get(), Vector2(0.0f, 0.0f), frame, 0)) << frame;
        EXPECT_FALSE(b->PixelCollide(sheet.get(), Vector2(0.0f, 0.0f), 0, frame)) << frame;
    }
    EXPECT_TRUE(sheet->PixelCollide(b.get(), Vector2(0.0f, 0.0f), 3, 0));
    EXPECT_TRUE(b->PixelCollide(sheet.get(), Vector2(0.0f, 0.0f), 0, 3));
}

TEST_F(PixelCollideTest, OnePixelOfAFrameIsFoundWhereItIsDrawn) {
    // Frame 1 of a 3 x 1 sheet of 4 x 4 frames: a single solid pixel, second column of the
    // frame, second row from its top, which is drawn at (1, 2) from the frame's bottom left.
    auto sheet = NewSheet(4, 4, 3, 1, 0);
    SetAlpha(*sheet, 4 + 1, 1, 255);
    auto dot = NewSheet(1, 1);
    EXPECT_TRUE(sheet->PixelCollide(dot.get(), Vector2(1.0f, 2.0f), 1, 0));
    EXPECT_FALSE(sheet->PixelCollide(dot.get(), Vector2(1.0f, 1.0f), 1, 0));
    EXPECT_FALSE(sheet->PixelCollide(dot.get(), Vector2(2.0f, 2.0f), 1, 0));
    EXPECT_FALSE(sheet->PixelCollide(dot.get(), Vector2(1.0f, 2.0f), 0, 0));
    EXPECT_TRUE(dot->PixelCollide(sheet.get(), Vector2(-1.0f, -2.0f), 0, 1));
}

TEST_F(PixelCollideTest, FramesOutOfRangeNeverCollide) {
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f), -1, 0));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f), 1, 0));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f), 0, 7));
}

TEST_F(PixelCollideTest, BrokenSpritesAndOffsetsNeverCollideNorCrash) {
    EXPECT_FALSE(a->PixelCollide(nullptr, Vector2(0.0f, 0.0f)));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(nan, 0.0f)));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(1e30f, -1e30f)));
    // A buffer shorter than its image claims: the missing pixels are never read.
    b->m_pixels.resize(8 * 4 * 4);
    EXPECT_TRUE(a->PixelCollide(b.get(), Vector2(0.0f, 0.0f)));
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(0.0f, 4.0f)));
    // A sprite with no frames (never loaded) has no pixels to show.
    CSprite empty;
    EXPECT_FALSE(a->PixelCollide(&empty, Vector2(0.0f, 0.0f)));
    EXPECT_FALSE(empty.PixelCollide(a.get(), Vector2(0.0f, 0.0f)));
}

TEST_F(PixelCollideTest, ScaleTakesNoPartInPixels) {
    // Unscaled frame pixels from the bottom-left corners: 8 pixels apart never touch, however
    // large the actors are drawn.
    EXPECT_FALSE(a->PixelCollide(b.get(), Vector2(10.0f, 0.0f)));
}
