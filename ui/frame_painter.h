// One splash frame, drawn with GDI: composed off-screen and copied to its target in one piece,
// so the screen never shows a frame half drawn.
#pragma once

#include <windows.h>

#include <string>

struct FrameInputs {
    int animStep = 0;    // 0..31; 0 draws no strip
    std::string status;  // one whole text, copied for this frame alone
    bool korean = false;
    int screenWidth = 0;
    int screenHeight = 0;
};

// Layers onto a fresh copy of the locale's picture the strip for the step, then the status text
// in white without a background, and copies the 640 x 480 result to `target` at the frame's
// origin for the screen size. Everything made for the frame is freed before it returns and
// nothing stays selected. When the picture or a surface cannot be made, the target is left as it
// was; the next frame starts over.
void PaintFrame(HDC target, const FrameInputs& inputs);
