// The string-table block walk on arbitrary bytes: AddressSanitizer catches any read past the
// block, which is handed over in an allocation of exactly its size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/string_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned entry = data[0] % 16u;
    const std::size_t blockBytes = size - 1;
    std::unique_ptr<uint8_t[]> block(new uint8_t[blockBytes == 0 ? 1 : blockBytes]);
    if (blockBytes > 0) std::memcpy(block.get(), data + 1, blockBytes);
    std::u16string text = u"untouched";
    const bool found = FindBlockEntry(block.get(), blockBytes, entry, &text);
    if (!found && text != u"untouched") std::abort();
    if (found && (text.size() * 2 + 2 > blockBytes)) std::abort();
    return 0;
}
