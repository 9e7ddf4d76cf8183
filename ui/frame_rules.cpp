#include "ui/frame_rules.h"

#include <algorithm>

namespace {

constexpr int kStepPixels = 4;
constexpr int kLastStep = 31;
constexpr int kStripStartX = 255;   // the strip's left edge at step 0, under the trough's outline
constexpr int kInteriorEndX = 379;  // one past the last column of the trough's interior
constexpr int kKoreanTextTop = 300;
constexpr int kOtherTextTop = 310;

}  // namespace

std::optional<StripPlace> StripPlacement(int step) {
    if (step <= 0 || step > kLastStep) return std::nullopt;
    const int moved = kStepPixels * step;
    const int destX = kStripStartX + moved;
    // Entering, the strip shows its right-most columns; then it slides whole, and leaving it is
    // cut at the interior's right edge.
    if (moved <= kStripWidth) return StripPlace{destX, moved, kStripWidth - moved};
    return StripPlace{destX, std::min(kInteriorEndX - destX, kStripWidth), 0};
}

FramePoint FrameOrigin(int screenWidth, int screenHeight) {
    // Integer division truncates toward zero, as the placement wants on small screens too.
    return FramePoint{(screenWidth - kFrameWidth) / 2, (screenHeight - kFrameHeight) / 2};
}

int TextBandTop(bool korean) {
    return korean ? kKoreanTextTop : kOtherTextTop;
}

void ComposeStrip(Pixels& frame, const Pixels& strip, int step) {
    const std::optional<StripPlace> place = StripPlacement(step);
    if (!place) return;
    for (int row = 0; row < kStripHeight; ++row) {
        const int destY = kStripDestY + row;
        if (row >= strip.height || destY >= frame.height) break;
        for (int column = 0; column < place->width; ++column) {
            const int srcX = place->srcX + column;
            const int destX = place->destX + column;
            if (srcX >= strip.width || destX >= frame.width) break;
            frame.Set(destX, destY, strip.At(srcX, row));
        }
    }
}

int NextAnimStep(int step) {
    return step >= 31 ? 0 : step + 1;
}
