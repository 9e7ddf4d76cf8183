// The product's artwork, drawn by code so that every build produces the same pictures bit for
// bit: the two splash pictures, the progress strip and the application icon. tools/gen_art writes
// them into res/art, where the resource script embeds them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/pixels.h"

// The trough drawn into both splash pictures, in which the progress strip moves.
constexpr Rgb kTroughOuter = MakeRgb(188, 188, 188);
constexpr Rgb kTroughInner = MakeRgb(70, 70, 70);
constexpr Rgb kTroughCorner = MakeRgb(126, 126, 126);

// The progress strip's blue blocks and the lighter band across each.
constexpr Rgb kStripBlue = MakeRgb(45, 62, 210);
constexpr Rgb kStripBandLight = MakeRgb(141, 166, 255);
constexpr Rgb kStripBandMid = MakeRgb(94, 127, 252);

// Picture 134, shown on a Korean system: the notebook brand's wordmark, rule and slogan in white
// and greys, every pixel a colour of KoreanSplashPalette().
Pixels KoreanSplash();
std::vector<Rgb> KoreanSplashPalette();

// Picture 135, shown everywhere else: the maker's emblem, name and slogan, in full colour.
Pixels EnglishSplash();

// Picture 132, 22 x 9: the piece that moves through the trough.
Pixels ProgressStrip();
std::vector<Rgb> StripPalette();

// Icon 128, 32 x 32: a chip with an upward arrow; kIconTransparent (ui/bmp_codec.h) marks the
// transparent pixels, every other pixel is a colour of IconPalette().
Pixels AppIcon();
std::vector<Rgb> IconPalette();

// One file of res/art and the bytes it must hold.
struct ArtFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Every file of res/art, encoded as the resource script expects it: splash_ko.bmp (4-bit),
// splash_en.bmp (24-bit), strip.bmp (4-bit) and app.ico.
std::vector<ArtFile> ArtFiles();
