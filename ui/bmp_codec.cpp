#include "ui/bmp_codec.h"

#include <cstddef>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr uint32_t kUncompressed = 0;  // BI_RGB
constexpr int kIconSize = 32;
constexpr std::size_t kMaxPaletteSize = 16;

uint8_t Red(Rgb c) {
    return static_cast<uint8_t>(c >> 16);
}
uint8_t Green(Rgb c) {
    return static_cast<uint8_t>(c >> 8);
}
uint8_t Blue(Rgb c) {
    return static_cast<uint8_t>(c);
}

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Rows of every bitmap are padded to a multiple of four bytes.
std::size_t RowStride(std::size_t width, unsigned bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void RequirePicture(const Pixels& picture) {
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() !=
            static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height)) {
        throw std::invalid_argument("bitmap: empty or inconsistent picture");
    }
}

void RequirePalette(const std::vector<Rgb>& palette) {
    if (palette.empty() || palette.size() > kMaxPaletteSize) {
        throw std::invalid_argument("bitmap: a 4-bit palette holds 1 to 16 colours, not " +
                                    std::to_string(palette.size()));
    }
}

uint8_t PaletteIndex(const std::vector<Rgb>& palette, Rgb colour) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (palette[i] == colour) return static_cast<uint8_t>(i);
    }
    throw std::invalid_argument("bitmap: colour " + std::to_string(colour) +
                                " is not in the palette");
}

void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, unsigned bitsPerPixel,
                   std::size_t imageSize, std::size_t colours) {
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);  // planes
    Put16(out, bitsPerPixel);
    Put32(out, kUncompressed);
    Put32(out, static_cast<uint32_t>(imageSize));
    Put32(out, 0);  // no horizontal resolution given
    Put32(out, 0);  // no vertical resolution given
    Put32(out, static_cast<uint32_t>(colours));
    Put32(out, 0);  // every colour is important
}

void PutPalette(std::vector<uint8_t>& out, const std::vector<Rgb>& palette) {
    for (Rgb c : palette) {
        out.push_back(Blue(c));
        out.push_back(Green(c));
        out.push_back(Red(c));
        out.push_back(0);
    }
}

// The file header, once the size of everything after it is known.
std::vector<uint8_t> FileHeader(std::size_t dataOffset, std::size_t fileSize) {
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(fileSize));
    Put32(out, 0);  // two reserved words
    Put32(out, static_cast<uint32_t>(dataOffset));
    return out;
}

// Rows bottom-up: packRow(y) appends the bytes of row y, which are then padded to the stride.
template <typename PackRow>
void PutRowsBottomUp(std::vector<uint8_t>& out, int height, std::size_t stride, PackRow packRow) {
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        packRow(y);
        out.resize(start + stride, 0);
    }
}

std::vector<uint8_t> PackNibbleRow(const std::vector<uint8_t>& indices, int width, int y) {
    std::vector<uint8_t> row;
    const std::size_t base = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (int x = 0; x < width; x += 2) {
        uint8_t byte = static_cast<uint8_t>(indices[base + static_cast<std::size_t>(x)] << 4);
        if (x + 1 < width) byte |= indices[base + static_cast<std::size_t>(x) + 1];
        row.push_back(byte);
    }
    return row;
}

// Reads little-endian fields at fixed offsets; callers have checked the bounds.
class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    uint8_t U8(std::size_t at) const { return bytes_[at]; }
    uint32_t U16(std::size_t at) const {
        return static_cast<uint32_t>(bytes_[at]) | static_cast<uint32_t>(bytes_[at + 1]) << 8;
    }
    uint32_t U32(std::size_t at) const { return U16(at) | U16(at + 2) << 16; }
    int64_t I32(std::size_t at) const {
        const uint32_t raw = U32(at);
        return raw >= 0x80000000u ? static_cast<int64_t>(raw) - 0x100000000LL
                                  : static_cast<int64_t>(raw);
    }

private:
    const std::vector<uint8_t>& bytes_;
};

bool IsSupportedDepth(uint32_t bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24 ||
           bitsPerPixel == 32;
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const Pixels& picture) {
    RequirePicture(picture);
    const std::size_t stride = RowStride(static_cast<std::size_t>(picture.width), 24);
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<uint8_t> out = FileHeader(offset, offset + imageSize);
    PutInfoHeader(out, picture.width, picture.height, 24, imageSize, 0);
    PutRowsBottomUp(out, picture.height, stride, [&](int y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.At(x, y);
            out.push_back(Blue(c));
            out.push_back(Green(c));
            out.push_back(Red(c));
        }
    });
    return out;
}

std::vector<uint8_t> EncodeBmp4(const Pixels& picture, const std::vector<Rgb>& palette) {
    RequirePicture(picture);
    RequirePalette(palette);
    std::vector<uint8_t> indices;
    indices.reserve(picture.rgb.size());
    for (Rgb c : picture.rgb) indices.push_back(PaletteIndex(palette, c));

    const std::size_t stride = RowStride(static_cast<std::size_t>(picture.width), 4);
    const std::size_t imageSize = stride * static_cast<std::size_t>(picture.height);
    const std::size_t offset = kFileHeaderSize + kInfoHeaderSize + 4 * palette.size();

    std::vector<uint8_t> out = FileHeader(offset, offset + imageSize);
    PutInfoHeader(out, picture.width, picture.height, 4, imageSize, palette.size());
    PutPalette(out, palette);
    PutRowsBottomUp(out, picture.height, stride, [&](int y) {
        const std::vector<uint8_t> row = PackNibbleRow(indices, picture.width, y);
        out.insert(out.end(), row.begin(), row.end());
    });
    return out;
}

std::optional<Pixels> DecodeBmp(const std::vector<uint8_t>& bytes) {
    const Bytes in(bytes);
    if (in.Size() < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    if (in.U8(0) != 'B' || in.U8(1) != 'M') return std::nullopt;
    const uint64_t dataOffset = in.U32(10);
    const uint64_t headerSize = in.U32(14);
    // Later header versions only add fields after the ones read here.
    if (headerSize < kInfoHeaderSize || headerSize > in.Size() - kFileHeaderSize) {
        return std::nullopt;
    }
    const int64_t width = in.I32(18);
    const int64_t signedHeight = in.I32(22);
    const uint32_t planes = in.U16(26);
    const uint32_t bitsPerPixel = in.U16(28);
    const uint32_t compression = in.U32(30);
    const uint64_t coloursUsed = in.U32(46);

    if (planes != 1 || !IsSupportedDepth(bitsPerPixel) || compression != kUncompressed) {
        return std::nullopt;
    }
    // A negative height marks a top-down bitmap; the most negative one has no positive twin.
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || height == 0 || height > INT32_MAX) return std::nullopt;

    std::vector<Rgb> palette;
    const uint64_t paletteStart = kFileHeaderSize + headerSize;
    uint64_t paletteEnd = paletteStart;
    if (bitsPerPixel <= 8) {
        const uint64_t maxColours = uint64_t{1} << bitsPerPixel;
        const uint64_t colours = coloursUsed == 0 ? maxColours : coloursUsed;
        if (colours > maxColours) return std::nullopt;
        paletteEnd = paletteStart + 4 * colours;
        if (paletteEnd > in.Size()) return std::nullopt;
        for (uint64_t at = paletteStart; at < paletteEnd; at += 4) {
            const std::size_t i = static_cast<std::size_t>(at);
            palette.push_back(MakeRgb(in.U8(i + 2), in.U8(i + 1), in.U8(i)));
        }
    }
    if (dataOffset < paletteEnd || dataOffset > in.Size()) return std::nullopt;

    // The width is below 2^31, so the stride cannot wrap; the division keeps stride x height
    // from wrapping either.
    const uint64_t stride = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (static_cast<uint64_t>(height) > (in.Size() - dataOffset) / stride) return std::nullopt;

    const bool topDown = signedHeight < 0;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    Pixels picture(w, h);
    for (int y = 0; y < h; ++y) {
        const uint64_t fileRow = static_cast<uint64_t>(topDown ? y : h - 1 - y);
        const std::size_t row = static_cast<std::size_t>(dataOffset + fileRow * stride);
        for (int x = 0; x < w; ++x) {
            const std::size_t ux = static_cast<std::size_t>(x);
            Rgb colour = 0;
            if (bitsPerPixel == 24 || bitsPerPixel == 32) {
                const std::size_t at = row + ux * (bitsPerPixel / 8);
                colour = MakeRgb(in.U8(at + 2), in.U8(at + 1), in.U8(at));
            } else {
                const std::size_t bit = ux * bitsPerPixel;
                const unsigned shift = 8 - bitsPerPixel - static_cast<unsigned>(bit % 8);
                const std::size_t index =
                    (in.U8(row + bit / 8) >> shift) & ((1u << bitsPerPixel) - 1);
                if (index >= palette.size()) return std::nullopt;
                colour = palette[index];
            }
            picture.Set(x, y, colour);
        }
    }
    return picture;
}

std::vector<uint8_t> EncodeIco(const Pixels& image32x32, const std::vector<Rgb>& palette16) {
    RequirePicture(image32x32);
    if (image32x32.width != kIconSize || image32x32.height != kIconSize) {
        throw std::invalid_argument("icon: the image must be 32 x 32");
    }
    RequirePalette(palette16);
    std::vector<Rgb> palette = palette16;
    palette.resize(kMaxPaletteSize, MakeRgb(0, 0, 0));

    // Where the mask is set the screen shows through, because the colour drawn there is black.
    std::vector<uint8_t> indices;
    std::vector<bool> transparent;
    for (Rgb c : image32x32.rgb) {
        const bool clear = c == kIconTransparent;
        indices.push_back(PaletteIndex(palette16, clear ? MakeRgb(0, 0, 0) : c));
        transparent.push_back(clear);
    }

    const std::size_t colourStride = RowStride(kIconSize, 4);
    const std::size_t maskStride = RowStride(kIconSize, 1);
    const std::size_t imageSize = (colourStride + maskStride) * kIconSize;
    const std::size_t dibSize = kInfoHeaderSize + 4 * palette.size() + imageSize;
    constexpr std::size_t kDirectorySize = 6 + 16;

    std::vector<uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, 1);  // one image
    out.push_back(kIconSize);
    out.push_back(kIconSize);
    out.push_back(static_cast<uint8_t>(kMaxPaletteSize));
    out.push_back(0);  // reserved
    Put16(out, 1);     // planes
    Put16(out, 4);     // bits per pixel
    Put32(out, static_cast<uint32_t>(dibSize));
    Put32(out, static_cast<uint32_t>(kDirectorySize));

    // The image's height counts the colour rows and the mask rows.
    PutInfoHeader(out, kIconSize, 2 * kIconSize, 4, imageSize, 0);
    PutPalette(out, palette);
    PutRowsBottomUp(out, kIconSize, colourStride, [&](int y) {
        const std::vector<uint8_t> row = PackNibbleRow(indices, kIconSize, y);
        out.insert(out.end(), row.begin(), row.end());
    });
    PutRowsBottomUp(out, kIconSize, maskStride, [&](int y) {
        for (int x = 0; x < kIconSize; x += 8) {
            uint8_t byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                if (transparent[static_cast<std::size_t>(y * kIconSize + x + bit)]) {
                    byte |= static_cast<uint8_t>(0x80 >> bit);
                }
            }
            out.push_back(byte);
        }
    });
    return out;
}
