// A plain 24-bit picture in memory: what the splash pictures are drawn as, and what a frame is
// composed into when it is checked without a screen.
#pragma once

#include <cstdint>
#include <vector>

// 0x00RRGGBB.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(uint8_t r, uint8_t g, uint8_t b) {
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | b;
}

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<Rgb> rgb;  // row-major, top row first

    Pixels() = default;
    Pixels(int w, int h, Rgb fill = 0)
        : width(w),
          height(h),
          rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

    Rgb At(int x, int y) const { return rgb[Index(x, y)]; }
    void Set(int x, int y, Rgb value) { rgb[Index(x, y)] = value; }
    bool operator==(const Pixels& other) const {
        return width == other.width && height == other.height && rgb == other.rgb;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x);
    }
};
