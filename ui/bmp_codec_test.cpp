#include "ui/bmp_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

uint32_t Get32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void Set32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

// A bitmap file written field by field, independently of the encoder, so that the decoder meets
// files the encoder never writes: other depths, top-down rows, longer headers.
struct BmpFile {
    int32_t width;
    int32_t height;
    uint16_t bitsPerPixel;
    std::vector<Rgb> palette;
    std::vector<uint8_t> rows;  // as stored, padding included
    uint32_t headerSize = 40;

    std::vector<uint8_t> Bytes() const {
        const uint32_t offset = 14 + headerSize + 4 * static_cast<uint32_t>(palette.size());
        std::vector<uint8_t> out = {'B', 'M'};
        Put32(out, offset + static_cast<uint32_t>(rows.size()));
        Put32(out, 0);
        Put32(out, offset);
        Put32(out, headerSize);
        Put32(out, static_cast<uint32_t>(width));
        Put32(out, static_cast<uint32_t>(height));
        Put16(out, 1);
        Put16(out, bitsPerPixel);
        Put32(out, 0);
        Put32(out, static_cast<uint32_t>(rows.size()));
        Put32(out, 2835);
        Put32(out, 2835);
        Put32(out, static_cast<uint32_t>(palette.size()));
        Put32(out, 0);
        out.resize(14 + headerSize, 0);
        for (Rgb c : palette) Put32(out, c);  // stored blue, green, red, 0
        out.insert(out.end(), rows.begin(), rows.end());
        return out;
    }
};

Pixels Picture(int w, int h, std::vector<Rgb> rgb) {
    Pixels p(w, h);
    p.rgb = std::move(rgb);
    return p;
}

constexpr Rgb kRed = MakeRgb(255, 0, 0), kGreen = MakeRgb(0, 255, 0), kBlue = MakeRgb(0, 0, 255),
              kWhite = MakeRgb(255, 255, 255), kBlack = 0, kGrey = MakeRgb(128, 128, 128);

struct ReadCase {
    const char* name;
    BmpFile file;
    Pixels expected;
};

TEST(DecodeBmp, ReadsEveryDepthBottomUpAndTopDown) {
    const ReadCase cases[] = {
        {"1-bit, 3 x 2, bottom-up",
         {3, 2, 1, {kBlack, kWhite}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
         Picture(3, 2, {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite})},
        {"4-bit, 3 x 2, top-down",
         {3, -2, 4, {kRed, kGreen, kBlue}, {0x01, 0x20, 0, 0, 0x22, 0x10, 0, 0}},
         Picture(3, 2, {kRed, kGreen, kBlue, kBlue, kBlue, kGreen})},
        {"8-bit, 2 x 2, bottom-up",
         {2, 2, 8, {kGrey, kRed, kWhite}, {2, 0, 0, 0, 1, 2, 0, 0}},
         Picture(2, 2, {kRed, kWhite, kWhite, kGrey})},
        {"24-bit, 1 x 2, top-down",
         {1, -2, 24, {}, {0x03, 0x02, 0x01, 0, 0xFF, 0x00, 0x80, 0}},
         Picture(1, 2, {MakeRgb(1, 2, 3), MakeRgb(0x80, 0, 0xFF)})},
        {"32-bit, 2 x 1, alpha ignored",
         {2, 1, 32, {}, {0x10, 0x20, 0x30, 0xFF, 0x01, 0x02, 0x03, 0x00}},
         Picture(2, 1, {MakeRgb(0x30, 0x20, 0x10), MakeRgb(3, 2, 1)})},
        {"4-bit after a 124-byte header",
         {2, 1, 4, {kBlack, kWhite}, {0x10, 0, 0, 0}, 124},
         Picture(2, 1, {kWhite, kBlack})},
    };
    for (const ReadCase& c : cases) {
        const std::optional<Pixels> decoded = DecodeBmp(c.file.Bytes());
        ASSERT_TRUE(decoded.has_value()) << c.name;
        EXPECT_EQ(*decoded, c.expected) << c.name;
    }
}

TEST(DecodeBmp, PaletteOf1To8BitFilesDefaultsToTheFullTable) {
    // Colours used 0 means 2^depth entries, which must then all be present.
    BmpFile file{2, 1, 1, {kBlue, kRed}, {0x40, 0, 0, 0}};
    std::vector<uint8_t> bytes = file.Bytes();
    Set32(bytes, 46, 0);
    EXPECT_EQ(DecodeBmp(bytes), Picture(2, 1, {kBlue, kRed}));

    BmpFile eightBit{1, 1, 8, {kBlue, kRed}, {1, 0, 0, 0}};
    bytes = eightBit.Bytes();
    Set32(bytes, 46, 0);  // now claims 256 entries where two are stored
    EXPECT_FALSE(DecodeBmp(bytes).has_value());
}

Pixels RandomPicture(int w, int h, const std::vector<Rgb>& colours, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, colours.size() - 1);
    Pixels p(w, h);
    for (Rgb& c : p.rgb) c = colours[pick(random)];
    return p;
}

std::vector<Rgb> RandomColours(std::size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<Rgb> colours;
    while (colours.size() < count) colours.push_back(random() & 0xFFFFFF);
    return colours;
}

// Widths 1 to 9 meet every padding of a 24-bit and a 4-bit row.
TEST(EncodeBmp, RoundTripsThroughTheDecoderAtEveryRowPadding) {
    const std::vector<Rgb> palette = RandomColours(16, 7);
    for (int w = 1; w <= 9; ++w) {
        for (int h : {1, 3}) {
            const Pixels full = RandomPicture(w, h, RandomColours(64, 11), 100 + w * h);
            EXPECT_EQ(DecodeBmp(EncodeBmp24(full)), full) << "24-bit " << w << " x " << h;
            const Pixels indexed = RandomPicture(w, h, palette, 200 + w * h);
            EXPECT_EQ(DecodeBmp(EncodeBmp4(indexed, palette)), indexed)
                << "4-bit " << w << " x " << h;
        }
    }
}

// What the resource compiler and LoadBitmap rely on: a 40-byte header, bottom-up padded rows,
// BGR order, the palette right after the header.
TEST(EncodeBmp, WritesAPlainBottomUpFile) {
    const std::vector<uint8_t> full = EncodeBmp24(Picture(1, 2, {MakeRgb(1, 2, 3), kWhite}));
    const std::vector<uint8_t> expectedFull = {
        'B',  'M',  62,   0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
        40,   0,    0,    0, 1, 0, 0, 0, 2, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
        8,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // info header
        0xFF, 0xFF, 0xFF, 0, 3, 2, 1, 0};                                       // bottom row first
    EXPECT_EQ(full, expectedFull);

    const std::vector<uint8_t> indexed =
        EncodeBmp4(Picture(3, 1, {kGreen, kRed, kGreen}), {kRed, kGreen});
    ASSERT_EQ(indexed.size(), 14u + 40 + 8 + 4);
    EXPECT_EQ(Get32(indexed, 10), 62u);   // pixel data after the two palette entries
    EXPECT_EQ(indexed[28], 4);            // bits per pixel
    EXPECT_EQ(Get32(indexed, 46), 2u);    // colours used
    EXPECT_EQ(Get32(indexed, 54), kRed);  // blue, green, red, 0: the same bits as an Rgb
    EXPECT_EQ(Get32(indexed, 58), kGreen);
    EXPECT_EQ(std::vector<uint8_t>(indexed.begin() + 62, indexed.end()),
              (std::vector<uint8_t>{0x10, 0x10, 0, 0}));
}

TEST(EncodeBmp, RefusesWhatItCannotWriteExactly) {
    const Pixels twoColours = Picture(2, 1, {kRed, kBlue});
    EXPECT_THROW(EncodeBmp4(twoColours, {kRed}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp4(twoColours, {}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp4(twoColours, RandomColours(17, 3)), std::invalid_argument);
    EXPECT_THROW(EncodeBmp4(Pixels(), {kRed}), std::invalid_argument);
    EXPECT_THROW(EncodeBmp24(Pixels()), std::invalid_argument);
    std::vector<Rgb> sixteen = RandomColours(14, 5);
    sixteen.push_back(kRed);
    sixteen.push_back(kBlue);
    EXPECT_EQ(DecodeBmp(EncodeBmp4(twoColours, sixteen)), twoColours);
}

// Every shortened copy of a valid file is refused; run under AddressSanitizer this also shows
// that no length makes the decoder read past the end.
TEST(DecodeBmp, RefusesEveryTruncation) {
    const std::vector<std::vector<uint8_t>> files = {
        EncodeBmp4(RandomPicture(5, 3, {kRed, kGreen, kBlue}, 1), {kRed, kGreen, kBlue}),
        EncodeBmp24(RandomPicture(3, 2, {kRed, kWhite}, 2)),
        BmpFile{3, -2, 1, {kBlack, kWhite}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}}.Bytes(),
    };
    for (const std::vector<uint8_t>& file : files) {
        ASSERT_TRUE(DecodeBmp(file).has_value());
        for (std::size_t length = 0; length < file.size(); ++length) {
            const std::vector<uint8_t> cut(file.begin(),
                                           file.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(DecodeBmp(cut).has_value()) << "cut to " << length << " bytes";
        }
    }
}

struct Damage {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> apply;
};

std::function<void(std::vector<uint8_t>&)> Field32(std::size_t at, uint32_t value) {
    return [=](std::vector<uint8_t>& b) { Set32(b, at, value); };
}

std::function<void(std::vector<uint8_t>&)> Field16(std::size_t at, uint16_t value) {
    return [=](std::vector<uint8_t>& b) {
        b[at] = static_cast<uint8_t>(value);
        b[at + 1] = static_cast<uint8_t>(value >> 8);
    };
}

TEST(DecodeBmp, RefusesInconsistentHeaders) {
    // A 4-bit, 3 x 2 file with three colours: header 40 bytes, palette 12, rows 8; 74 bytes.
    const std::vector<uint8_t> valid =
        BmpFile{3, 2, 4, {kRed, kGreen, kBlue}, {0x01, 0x20, 0, 0, 0x22, 0x10, 0, 0}}.Bytes();
    ASSERT_TRUE(DecodeBmp(valid).has_value());
    const Damage damages[] = {
        {"not BM", [](std::vector<uint8_t>& b) { b[1] = 'A'; }},
        {"core header (12 bytes)", Field32(14, 12)},
        {"header size past the end", Field32(14, 61)},
        {"header size near 2^32", Field32(14, 0xFFFFFFF0u)},
        {"width 0", Field32(18, 0)},
        {"negative width", Field32(18, 0xFFFFFFFDu)},
        {"height 0", Field32(22, 0)},
        {"height -2^31", Field32(22, 0x80000000u)},
        {"height 2^31 - 1", Field32(22, 0x7FFFFFFFu)},
        {"width and height 2^31 - 1",
         [](std::vector<uint8_t>& b) {
             Set32(b, 18, 0x7FFFFFFFu);
             Set32(b, 22, 0x7FFFFFFFu);
         }},
        {"width whose 32-bit stride wraps to 0",
         [](std::vector<uint8_t>& b) {
             Set32(b, 18, 0x40000000u);
             Field16(28, 32)(b);
         }},
        {"planes 0", Field16(26, 0)},
        {"16 bits per pixel", Field16(28, 16)},
        {"0 bits per pixel", Field16(28, 0)},
        {"run-length compressed", Field32(30, 2)},
        {"bit fields", Field32(30, 3)},
        {"17 colours in a 4-bit file", Field32(46, 17)},
        {"colours used 2^32 - 1", Field32(46, 0xFFFFFFFFu)},
        {"colours used 16, three stored", Field32(46, 16)},
        {"pixel data offset inside the palette", Field32(10, 60)},
        {"pixel data offset past the end", Field32(10, 75)},
        {"pixel data offset 2^32 - 1", Field32(10, 0xFFFFFFFFu)},
        {"pixel data offset one byte late", Field32(10, 67)},
        {"index past the palette", [](std::vector<uint8_t>& b) { b[70] = 0x23; }},
    };
    for (const Damage& d : damages) {
        std::vector<uint8_t> bytes = valid;
        d.apply(bytes);
        EXPECT_FALSE(DecodeBmp(bytes).has_value()) << d.name;
    }
}

struct IconParts {
    Pixels colours;            // the colour image as stored
    std::vector<bool> masked;  // per pixel, top row first
};

// Reads the one image of an icon file through the bitmap decoder: a file header in front of the
// image's header, with the height halved to its colour rows.
IconParts ReadIcon(const std::vector<uint8_t>& ico) {
    EXPECT_EQ(ico.size(), 22u + 40 + 64 + 512 + 128);
    EXPECT_EQ(std::vector<uint8_t>(ico.begin(), ico.begin() + 10),
              (std::vector<uint8_t>{0, 0, 1, 0, 1, 0, 32, 32, 16, 0}));
    EXPECT_EQ(Get32(ico, 14), 744u);     // image size
    EXPECT_EQ(Get32(ico, 18), 22u);      // image offset
    EXPECT_EQ(Get32(ico, 22 + 8), 64u);  // colour and mask rows
    std::vector<uint8_t> bmp = {'B', 'M'};
    Put32(bmp, 0);
    Put32(bmp, 0);
    Put32(bmp, 14 + 40 + 64);
    bmp.insert(bmp.end(), ico.begin() + 22, ico.end());
    Set32(bmp, 14 + 8, 32);
    IconParts parts;
    parts.colours = DecodeBmp(bmp).value_or(Pixels());
    const std::size_t mask = 22 + 40 + 64 + 512;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const uint8_t byte = ico[mask + static_cast<std::size_t>((31 - y) * 4 + x / 8)];
            parts.masked.push_back((byte >> (7 - x % 8)) & 1);
        }
    }
    return parts;
}

TEST(EncodeIco, StoresColoursAndMaskOfTheTransparentPixels) {
    const std::vector<Rgb> palette = {kBlack, kRed, kWhite};
    Pixels image(32, 32, kIconTransparent);
    for (int y = 4; y < 28; ++y) {
        for (int x = 2; x < 30; ++x) image.Set(x, y, (x + y) % 3 == 0 ? kWhite : kRed);
    }
    image.Set(10, 10, kBlack);  // an opaque black pixel stays opaque

    const IconParts parts = ReadIcon(EncodeIco(image, palette));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool clear = image.At(x, y) == kIconTransparent;
            ASSERT_EQ(parts.masked[static_cast<std::size_t>(y * 32 + x)], clear) << x << "," << y;
            ASSERT_EQ(parts.colours.At(x, y), clear ? kBlack : image.At(x, y)) << x << "," << y;
        }
    }
}

TEST(EncodeIco, RefusesWhatItCannotWriteExactly) {
    const Pixels red(32, 32, kRed);
    EXPECT_THROW(EncodeIco(Pixels(16, 16, kRed), {kRed}), std::invalid_argument);
    EXPECT_THROW(EncodeIco(red, {kBlue}), std::invalid_argument);
    EXPECT_THROW(EncodeIco(red, RandomColours(17, 9)), std::invalid_argument);
    // Transparent pixels are drawn black, so black must be available.
    EXPECT_THROW(EncodeIco(Pixels(32, 32, kIconTransparent), {kRed}), std::invalid_argument);
}

}  // namespace
