// The platform's string-table resource block: sixteen entries, each a 16-bit count followed by
// that many UTF-16 code units (little-endian); a count of 0 is an absent entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr unsigned StringBlockId(uint16_t id) {
    return id / 16u + 1u;
}
constexpr unsigned StringBlockEntry(uint16_t id) {
    return id % 16u;
}

// Finds entry 0..15 of the block. False when the entry is absent or when walking to it, or
// reading it, would leave the block's blockBytes bytes; *text is then left as it was. The block
// may lie at any address and have any size.
[[nodiscard]] bool FindBlockEntry(const void* block, std::size_t blockBytes, unsigned entry,
                                  std::u16string* text);
