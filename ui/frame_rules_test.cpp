#include "ui/frame_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

TEST(StripPlacement, EveryStep) {
    struct Row {
        int destX;
        int width;
        int srcX;
    };
    // Step 0 has no placement; steps 1 to 31 in order.
    const Row table[32] = {
        {0, 0, 0},    {259, 4, 18}, {263, 8, 14}, {267, 12, 10}, {271, 16, 6}, {275, 20, 2},
        {279, 22, 0}, {283, 22, 0}, {287, 22, 0}, {291, 22, 0},  {295, 22, 0}, {299, 22, 0},
        {303, 22, 0}, {307, 22, 0}, {311, 22, 0}, {315, 22, 0},  {319, 22, 0}, {323, 22, 0},
        {327, 22, 0}, {331, 22, 0}, {335, 22, 0}, {339, 22, 0},  {343, 22, 0}, {347, 22, 0},
        {351, 22, 0}, {355, 22, 0}, {359, 20, 0}, {363, 16, 0},  {367, 12, 0}, {371, 8, 0},
        {375, 4, 0},  {379, 0, 0},
    };
    EXPECT_EQ(StripPlacement(0), std::nullopt);
    for (int step = 1; step < 32; ++step) {
        const std::optional<StripPlace> place = StripPlacement(step);
        ASSERT_TRUE(place) << "step " << step;
        EXPECT_EQ(place->destX, table[step].destX) << "step " << step;
        EXPECT_EQ(place->width, table[step].width) << "step " << step;
        EXPECT_EQ(place->srcX, table[step].srcX) << "step " << step;
    }
    // Out of range there is nothing to draw rather than a negative width.
    for (int step : {-1, 32, 33, 1 << 30}) EXPECT_EQ(StripPlacement(step), std::nullopt) << step;
}

TEST(NextAnimStep, CyclesThroughThirtyTwoSteps) {
    int step = 0;
    for (int tick = 1; tick <= 64; ++tick) {
        step = NextAnimStep(step);
        EXPECT_EQ(step, tick % 32) << "tick " << tick;
    }
    EXPECT_EQ(NextAnimStep(40), 0) << "a step out of range starts the cycle again";
}

TEST(FrameOrigin, CentredAndTruncatedTowardZero) {
    struct Case {
        int width, height, x, y;
    };
    const Case cases[] = {
        {1024, 768, 192, 144}, {800, 600, 80, 60}, {640, 480, 0, 0},
        {600, 480, -20, 0},    {601, 479, -19, 0},  // -39 / 2 and -1 / 2 truncate toward zero
    };
    for (const Case& c : cases) {
        const FramePoint origin = FrameOrigin(c.width, c.height);
        EXPECT_EQ(origin.x, c.x) << c.width << " x " << c.height;
        EXPECT_EQ(origin.y, c.y) << c.width << " x " << c.height;
    }
}

TEST(TextBandTop, ByLocale) {
    EXPECT_EQ(TextBandTop(true), 300);
    EXPECT_EQ(TextBandTop(false), 310);
}

// Each strip pixel a colour of its own, none of them the picture's, so every changed frame
// pixel names the strip pixel it came from.
constexpr Rgb kPictureColour = MakeRgb(1, 2, 3);

Pixels RecognisableStrip() {
    Pixels strip(kStripWidth, kStripHeight);
    for (int y = 0; y < kStripHeight; ++y) {
        for (int x = 0; x < kStripWidth; ++x) strip.Set(x, y, MakeRgb(200, uint8_t(x), uint8_t(y)));
    }
    return strip;
}

TEST(ComposeStrip, StripStaysInsideTheTrough) {
    const Pixels strip = RecognisableStrip();
    const Pixels picture(kFrameWidth, kFrameHeight, kPictureColour);
    for (int step = 0; step < 32; ++step) {
        Pixels frame = picture;
        ComposeStrip(frame, strip, step);
        int changedColumnsMin = kFrameWidth, changedColumnsMax = -1, changed = 0;
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                const Rgb pixel = frame.At(x, y);
                if (pixel == kPictureColour) continue;
                ++changed;
                ASSERT_GE(x, 259) << "step " << step;
                ASSERT_LE(x, 378) << "step " << step;
                ASSERT_GE(y, 354) << "step " << step;
                ASSERT_LE(y, 362) << "step " << step;
                const std::optional<StripPlace> place = StripPlacement(step);
                ASSERT_TRUE(place);
                ASSERT_EQ(pixel, strip.At(place->srcX + x - place->destX, y - 354))
                    << "step " << step << " at " << x << ", " << y;
                changedColumnsMin = std::min(changedColumnsMin, x);
                changedColumnsMax = std::max(changedColumnsMax, x);
            }
        }
        const std::optional<StripPlace> place = StripPlacement(step);
        const int width = place ? place->width : 0;
        EXPECT_EQ(changed, width * kStripHeight) << "step " << step;
        if (width > 0) {
            EXPECT_EQ(changedColumnsMin, place->destX) << "step " << step;
            EXPECT_EQ(changedColumnsMax, place->destX + width - 1) << "step " << step;
        }
    }
}

TEST(ComposeStrip, FirstAndLastSteps) {
    const Pixels strip = RecognisableStrip();
    const Pixels picture(kFrameWidth, kFrameHeight, kPictureColour);
    for (int step : {0, 31}) {
        Pixels frame = picture;
        ComposeStrip(frame, strip, step);
        EXPECT_EQ(frame, picture) << "step " << step;
    }

    Pixels frame = picture;
    ComposeStrip(frame, strip, 1);
    for (int y = 0; y < kStripHeight; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(frame.At(259 + x, 354 + y), strip.At(18 + x, y));
        EXPECT_EQ(frame.At(258, 354 + y), kPictureColour);
        EXPECT_EQ(frame.At(263, 354 + y), kPictureColour);
    }
}

// A frame or strip smaller than expected is clipped, never written or read past its end.
TEST(ComposeStrip, ClipsToSmallPictures) {
    Pixels small(300, 358, kPictureColour);
    ComposeStrip(small, RecognisableStrip(), 10);  // columns 295..316, rows 354..362
    EXPECT_EQ(small.At(295, 354), RecognisableStrip().At(0, 0));
    EXPECT_EQ(small.At(299, 357), RecognisableStrip().At(4, 3));

    Pixels frame(kFrameWidth, kFrameHeight, kPictureColour);
    ComposeStrip(frame, Pixels(3, 2, MakeRgb(9, 9, 9)), 10);
    EXPECT_EQ(frame.At(297, 355), MakeRgb(9, 9, 9));
    EXPECT_EQ(frame.At(298, 355), kPictureColour);
    EXPECT_EQ(frame.At(297, 356), kPictureColour);
}

}  // namespace
