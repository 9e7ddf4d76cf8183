// Windows bitmap and icon files, written and read without the platform: the generator writes the
// pictures the resource compiler embeds, and tests read pictures back to check them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/pixels.h"

// Icon pixels of this colour are transparent: their mask bit is set and their colour is black.
constexpr Rgb kIconTransparent = MakeRgb(255, 0, 255);

// A bottom-up, uncompressed 24-bit bitmap file. Throws std::invalid_argument for an empty picture.
std::vector<uint8_t> EncodeBmp24(const Pixels& picture);

// A bottom-up, uncompressed 4-bit bitmap file whose colour table is the palette. Throws
// std::invalid_argument for an empty picture, a palette of 0 or more than 16 colours, or a pixel
// whose colour is not in the palette: nothing is ever silently approximated.
std::vector<uint8_t> EncodeBmp4(const Pixels& picture, const std::vector<Rgb>& palette);

// Reads an uncompressed 1, 4, 8, 24 or 32-bit bitmap file, bottom-up or top-down (32-bit alpha
// is ignored). Anything malformed (truncated, inconsistent, a palette index out of range) gives
// nullopt; no byte outside the input is ever read.
std::optional<Pixels> DecodeBmp(const std::vector<uint8_t>& bytes);

// A one-image icon file: 32 x 32, 4 bits per pixel with the palette (padded with black to 16
// entries), and its mask. Pixels of kIconTransparent become transparent; the palette must then
// hold black. Throws std::invalid_argument for another size, a palette of 0 or more than 16
// colours, or a colour outside the palette.
std::vector<uint8_t> EncodeIco(const Pixels& image32x32, const std::vector<Rgb>& palette16);
