#include "platform/string_block.h"

#include <cstring>
#include <utility>

namespace {

constexpr unsigned kEntriesPerBlock = 16;
constexpr std::size_t kUnitBytes = 2;

// Resource data is little-endian, as are the machines we build for; memcpy keeps the read
// legal at odd addresses.
uint16_t UnitAt(const unsigned char* bytes) {
    uint16_t unit;
    std::memcpy(&unit, bytes, kUnitBytes);
    return unit;
}

}  // namespace

bool FindBlockEntry(const void* block, std::size_t blockBytes, unsigned entry,
                    std::u16string* text) {
    if (block == nullptr || text == nullptr || entry >= kEntriesPerBlock) return false;
    const auto* bytes = static_cast<const unsigned char*>(block);

    std::size_t offset = 0;  // never beyond blockBytes
    for (unsigned skipped = 0;; ++skipped) {
        if (blockBytes - offset < kUnitBytes) return false;
        const std::size_t count = UnitAt(bytes + offset);
        offset += kUnitBytes;
        if (blockBytes - offset < count * kUnitBytes) return false;
        if (skipped == entry) {
            if (count == 0) return false;
            std::u16string found(count, u'\0');
            std::memcpy(&found[0], bytes + offset, count * kUnitBytes);
            *text = std::move(found);
            return true;
        }
        offset += count * kUnitBytes;
    }
}
