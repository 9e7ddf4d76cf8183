#include "ui/splash_art.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/bmp_codec.h"

namespace {

constexpr Rgb kBlack = 0, kWhite = MakeRgb(255, 255, 255);

bool InTroughBox(int x, int y) {
    return x >= 255 && x <= 380 && y >= 351 && y <= 365;
}

// The trough, written from its rules rather than from its drawing code.
Rgb ExpectedTrough(int x, int y) {
    const bool row = x >= 258 && x <= 377, column = y >= 354 && y <= 362;
    if (row && (y == 351 || y == 365)) return kTroughOuter;
    if (column && (x == 255 || x == 380)) return kTroughOuter;
    if (row && (y == 352 || y == 364)) return kTroughInner;
    if (column && (x == 256 || x == 379)) return kTroughInner;
    if ((x == 257 || x == 378) && (y == 353 || y == 363)) return kTroughInner;
    const std::set<std::pair<int, int>> corners = {{257, 352}, {256, 353}, {378, 352}, {379, 353},
                                                   {257, 364}, {256, 363}, {378, 364}, {379, 363}};
    if (corners.count({x, y})) return kTroughCorner;
    return kBlack;
}

struct Splash {
    const char* name;
    Pixels picture;
    int artTop;  // the artwork's rows
    int artBottom;
};

const std::vector<Splash>& Splashes() {
    static const std::vector<Splash> splashes = {
        {"picture 134", KoreanSplash(), 97, 252},
        {"picture 135", EnglishSplash(), 73, 291},
    };
    return splashes;
}

TEST(SplashPictures, AreBlackOutsideTheirArtworkAndTheTrough) {
    for (const Splash& s : Splashes()) {
        ASSERT_EQ(s.picture.width, 640) << s.name;
        ASSERT_EQ(s.picture.height, 480) << s.name;
        for (int y = 0; y < 480; ++y) {
            if (y >= s.artTop && y <= s.artBottom) continue;
            for (int x = 0; x < 640; ++x) {
                if (InTroughBox(x, y)) continue;
                ASSERT_EQ(s.picture.At(x, y), kBlack) << s.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(SplashPictures, DrawTheTroughPixelForPixel) {
    for (const Splash& s : Splashes()) {
        for (int y = 351; y <= 365; ++y) {
            for (int x = 255; x <= 380; ++x) {
                ASSERT_EQ(s.picture.At(x, y), ExpectedTrough(x, y))
                    << s.name << " at " << x << "," << y;
            }
        }
    }
}

TEST(SplashPictures, KoreanArtworkIsWhiteAndGreysOfItsPalette) {
    const Pixels picture = Splashes()[0].picture;
    const std::vector<Rgb> palette = KoreanSplashPalette();
    ASSERT_LE(palette.size(), 16u);
    int white = 0, grey = 0;
    for (Rgb c : picture.rgb) {
        ASSERT_NE(std::find(palette.begin(), palette.end(), c), palette.end()) << c;
        ASSERT_TRUE((c >> 16) == (c & 0xFF) && ((c >> 8) & 0xFF) == (c & 0xFF)) << c;
        white += c == kWhite;
        grey += c != kWhite && c != kBlack;
    }
    // A wordmark of solid white with anti-aliased edges, not a blank or a dithered picture.
    EXPECT_GT(white, 3000);
    EXPECT_GT(grey, 500);
}

TEST(SplashPictures, EnglishArtworkHasAColouredEmblemAndWhiteName) {
    const Pixels picture = Splashes()[1].picture;
    std::set<Rgb> colours;
    int white = 0;
    for (Rgb c : picture.rgb) {
        const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
        if (std::max({r, g, b}) - std::min({r, g, b}) > 60) colours.insert(c);
        white += c == kWhite;
    }
    EXPECT_GT(colours.size(), 200u);  // a gradient, far beyond what 16 colours could hold
    EXPECT_GT(white, 1000);
}

// The strip by rows: B blue, M the band's middle tone, L its light rows, '.' black.
TEST(ProgressStrip, MatchesItsPixelTable) {
    const char* const kRows[] = {
        "BBBBBB..BBBBBB..BBBBBB",  //
        "MMMMMM..MMMMMM..MMMMMM",  //
        "LLLLLL..LLLLLL..LLLLLL",  //
        "LLLLLL..LLLLLL..LLLLLL",  //
        "MMMMMM..MMMMMM..LLLLLL",  //
        "BBBBBB..MMMMMM..MMMMMM",  //
        "BBBBBB..BBBBBB..MMMMMM",  //
        "BBBBBB..BBBBBB..BBBBBB",  //
        "BBBBBB..BBBBBB..BBBBBB",  //
    };
    const Pixels strip = ProgressStrip();
    ASSERT_EQ(strip.width, 22);
    ASSERT_EQ(strip.height, 9);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 22; ++x) {
            const char code = kRows[y][x];
            const Rgb expected = code == 'B'   ? kStripBlue
                                 : code == 'M' ? kStripBandMid
                                 : code == 'L' ? kStripBandLight
                                               : kBlack;
            EXPECT_EQ(strip.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(AppIcon, IsAChipOnATransparentGround) {
    const Pixels icon = AppIcon();
    ASSERT_EQ(icon.width, 32);
    ASSERT_EQ(icon.height, 32);
    const std::vector<Rgb> palette = IconPalette();
    ASSERT_LE(palette.size(), 16u);
    int clear = 0;
    for (Rgb c : icon.rgb) {
        clear += c == kIconTransparent;
        if (c != kIconTransparent) {
            ASSERT_NE(std::find(palette.begin(), palette.end(), c), palette.end()) << c;
        }
    }
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}, {3, 3}}) {
        EXPECT_EQ(icon.At(x, y), kIconTransparent) << x << "," << y;
    }
    EXPECT_NE(icon.At(16, 16), kIconTransparent);
    EXPECT_GT(clear, 100);
    EXPECT_LT(clear, 600);
}

TEST(ArtFiles, DecodeBackToThePictures) {
    const std::vector<ArtFile> files = ArtFiles();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].name, "splash_ko.bmp");
    EXPECT_EQ(DecodeBmp(files[0].bytes), KoreanSplash());
    EXPECT_EQ(files[1].name, "splash_en.bmp");
    EXPECT_EQ(DecodeBmp(files[1].bytes), EnglishSplash());
    EXPECT_EQ(files[2].name, "strip.bmp");
    EXPECT_EQ(DecodeBmp(files[2].bytes), ProgressStrip());
    EXPECT_EQ(files[3].name, "app.ico");
    EXPECT_EQ(files[3].bytes, EncodeIco(AppIcon(), IconPalette()));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The committed files are what the resource script embeds; a change to the drawing code that
// was not followed by a regeneration must not pass unseen.
TEST(ArtFiles, EqualTheCommittedFiles) {
    for (const ArtFile& file : ArtFiles()) {
        const std::string path = std::string(BIOSUPDATE_SOURCE_DIR) + "/res/art/" + file.name;
        const std::vector<uint8_t> committed = ReadFile(path);
        ASSERT_FALSE(committed.empty()) << "cannot read " << path;
        EXPECT_TRUE(committed == file.bytes)
            << path << " differs from what the generator draws today (" << committed.size()
            << " bytes committed, " << file.bytes.size()
            << " drawn); regenerate it: cmake --build <native build> --target regen_art";
    }
}

}  // namespace
