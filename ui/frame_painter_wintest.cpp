#include "ui/frame_painter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "framework/dc.h"
#include "framework/scoped_handle.h"
#include "ui/frame_rules.h"
#include "ui/splash_art.h"

namespace {

constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr Rgb kUntouched = MakeRgb(1, 2, 3);  // never a colour of the artwork

// A screen-sized 32-bit surface that the painter draws into, read back pixel by pixel.
class Screen {
public:
    Screen(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        dc_.reset(::CreateCompatibleDC(nullptr));
        selected_.emplace(dc_.get(), bitmap_.get());
        for (int i = 0; i < width * height; ++i) bits_[i] = kUntouched;
    }
    bool ok() const { return bits_ != nullptr && dc_.is_valid(); }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb At(int x, int y) const {
        ::GdiFlush();
        return bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                     static_cast<std::size_t>(x)] &
               0xFFFFFF;
    }

private:
    int width_;
    int height_;
    uint32_t* bits_ = nullptr;
    fw::ScopedBitmap bitmap_;
    fw::ScopedMemoryDc dc_;
    std::optional<fw::SelectionGuard> selected_;
};

struct FrameCase {
    bool korean;
    int step;
    std::string status;
    int screenWidth;
    int screenHeight;
};

// What a frame must hold, drawn without the platform: the picture with the strip for the step.
Pixels ExpectedWithoutText(const FrameCase& c) {
    Pixels frame = c.korean ? KoreanSplash() : EnglishSplash();
    ComposeStrip(frame, ProgressStrip(), c.step);
    return frame;
}

// White text over black, smoothed at its edges: every level of grey, none of another colour.
bool IsGrey(Rgb c) {
    const Rgb r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r == g && g == b;
}

// Checks one painted frame against the picture and strip; in the text band it allows text pixels
// over the picture's black. Gives the columns the text covers (left > right: none) and whether
// any of it is full white.
void CheckFrame(const Screen& screen, const FrameCase& c, int* textLeft, int* textRight,
                bool* textWhite) {
    const Pixels expected = ExpectedWithoutText(c);
    const FramePoint origin = FrameOrigin(c.screenWidth, c.screenHeight);
    const int bandTop = TextBandTop(c.korean);
    *textLeft = kFrameWidth;
    *textRight = -1;
    *textWhite = false;
    int mismatches = 0;
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) {
            const int fx = x - origin.x;
            const int fy = y - origin.y;
            const Rgb got = screen.At(x, y);
            if (fx < 0 || fy < 0 || fx >= kFrameWidth || fy >= kFrameHeight) {
                if (got != kUntouched && mismatches++ < 5) {
                    ADD_FAILURE() << "painted outside the frame at " << x << "," << y;
                }
                continue;
            }
            const Rgb want = expected.At(fx, fy);
            if (got == want) continue;
            const bool inBand = fy >= bandTop && fy < bandTop + kTextBandHeight;
            if (inBand && IsGrey(got) && want == 0) {
                if (got == kWhite) *textWhite = true;
                if (fx < *textLeft) *textLeft = fx;
                if (fx > *textRight) *textRight = fx;
                continue;
            }
            if (mismatches++ < 5) {
                ADD_FAILURE() << "frame pixel " << fx << "," << fy << " is " << std::hex << got
                              << ", expected " << want << std::dec;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Frames painted one after another onto the same surfaces: each must show only its own strip and
// text, whatever the frame before it held.
TEST(PaintFrame, LayersPictureStripAndTextAtTheOrigin) {
    const std::string english = "Initializing for BIOS update";
    const std::string korean = "\xBC\xBC\xBC\xBC";  // any bytes: only the band is checked
    const FrameCase cases[] = {
        {false, 0, english, 1024, 768},
        {false, 1, english, 1024, 768},
        {false, 6, "", 1024, 768},
        {false, 25, english, 1024, 768},
        {false, 0, english, 1024, 768},  // after a strip: the trough is empty again
        {false, 28, "Loading BIOS update files. ", 1024, 768},
        {false, 31, english, 1024, 768},
        {true, 3, korean, 1024, 768},
        {true, 30, english, 1024, 768},
        {false, 12, english, 800, 600},
        {true, 26, english, 800, 600},
        {false, 20, english, 640, 480},
        {false, 18, english, 600, 480},  // narrower than the frame: its middle, cut on both sides
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE("korean=" + std::to_string(c.korean) + " step=" + std::to_string(c.step) +
                     " screen=" + std::to_string(c.screenWidth) + "x" +
                     std::to_string(c.screenHeight) + " status=\"" + c.status + "\"");
        Screen screen(c.screenWidth, c.screenHeight);
        ASSERT_TRUE(screen.ok());
        // The frame before: another locale, step and text on the same screen.
        PaintFrame(screen.dc(), FrameInputs{(c.step + 13) % 32, "previous frame text", !c.korean,
                                            c.screenWidth, c.screenHeight});
        PaintFrame(screen.dc(),
                   FrameInputs{c.step, c.status, c.korean, c.screenWidth, c.screenHeight});
        int left = 0;
        int right = 0;
        bool white = false;
        CheckFrame(screen, c, &left, &right, &white);
        if (c.status.empty()) {
            EXPECT_GT(left, right) << "an empty status draws nothing";
        } else {
            ASSERT_LE(left, right) << "the status text is drawn in the band";
            EXPECT_TRUE(white) << "in white";
            EXPECT_NEAR((left + right) / 2.0, kFrameWidth / 2.0, 3.0) << "centred";
        }
    }
}

TEST(PaintFrame, TextWiderThanTheFrameIsCentredAndCutAtBothSides) {
    Screen screen(1024, 768);
    ASSERT_TRUE(screen.ok());
    const FrameCase c{false, 9, std::string(200, 'W'), 1024, 768};
    PaintFrame(screen.dc(), FrameInputs{c.step, c.status, c.korean, 1024, 768});
    int left = 0;
    int right = 0;
    bool white = false;
    CheckFrame(screen, c, &left, &right, &white);
    EXPECT_TRUE(white);
    EXPECT_LT(left, 8);
    EXPECT_GT(right, kFrameWidth - 9);
}

}  // namespace
