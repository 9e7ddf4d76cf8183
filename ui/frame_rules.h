// Where each layer of a splash frame goes: the 640 x 480 picture, the progress strip in the
// trough, the status text band, and the frame's place on the screen.
#pragma once

#include <optional>

#include "ui/pixels.h"

constexpr int kFrameWidth = 640, kFrameHeight = 480, kStripWidth = 22, kStripHeight = 9,
              kStripDestY = 354, kTextBandHeight = 25;

// The columns of the strip drawn for one animation step: strip columns srcX..srcX+width-1 go to
// frame columns destX..destX+width-1, rows 0..8 to rows kStripDestY.. of the frame.
struct StripPlace {
    int destX;
    int width;
    int srcX;
};

// Steps 1..31 slide the strip through the trough, entering from the left and leaving at its
// right edge; step 0, and any step outside 0..31, draws nothing.
std::optional<StripPlace> StripPlacement(int step);

// The animation step after `step`: 0, 1, ..., 31, then 0 again (one pass: 32 ticks).
int NextAnimStep(int step);

struct FramePoint {
    int x;
    int y;
};

// The frame's top-left corner on a screen of that size, centred; negative on a screen smaller
// than the frame, which then shows the frame's middle.
FramePoint FrameOrigin(int screenWidth, int screenHeight);

// The top of the status text band: under the Korean picture's artwork or the other one's.
int TextBandTop(bool korean);

// Draws the strip's piece for this step into the frame, clipped to both pictures as the
// platform's copy would be.
void ComposeStrip(Pixels& frame, const Pixels& strip, int step);
