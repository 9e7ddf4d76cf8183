#include "platform/string_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The block's bytes as the resource compiler lays them out: every entry a little-endian count,
// then its units. An empty text is an absent entry.
std::vector<unsigned char> BuildBlock(const std::vector<std::u16string>& entries) {
    std::vector<unsigned char> bytes;
    auto put = [&bytes](char16_t unit) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    };
    for (const std::u16string& text : entries) {
        put(static_cast<char16_t>(text.size()));
        for (char16_t unit : text) put(unit);
    }
    return bytes;
}

// A heap copy of exactly the given bytes, starting at an odd address when asked: a read past the
// end is an AddressSanitizer error, a misaligned load an UndefinedBehaviorSanitizer error.
class ExactCopy {
public:
    ExactCopy(const std::vector<unsigned char>& bytes, std::size_t size, bool oddAddress)
        : storage_(new unsigned char[size + (oddAddress ? 1 : 0)]),
          data_(storage_.get() + (oddAddress ? 1 : 0)) {
        if (size > 0) std::memcpy(data_, bytes.data(), size);
    }
    const void* data() const { return data_; }

private:
    std::unique_ptr<unsigned char[]> storage_;
    unsigned char* data_;
};

TEST(StringBlock, BlockAndEntryOfAnId) {
    EXPECT_EQ(StringBlockId(129), 9u);
    EXPECT_EQ(StringBlockEntry(129), 1u);
    EXPECT_EQ(StringBlockId(142), 9u);
    EXPECT_EQ(StringBlockEntry(142), 14u);
    EXPECT_EQ(StringBlockId(143), 9u);
    EXPECT_EQ(StringBlockEntry(143), 15u);
    EXPECT_EQ(StringBlockId(144), 10u);
    EXPECT_EQ(StringBlockEntry(144), 0u);
}

// The block of ids 128..143 as this program's table fills it.
const std::vector<std::u16string> kEntries = {u"",
                                              u"BIOS Update Program",
                                              u"",
                                              u"Loading",
                                              u"\uC2DC\uC2A4\uD15C",
                                              u"Can not",
                                              u"",
                                              u"Checking",
                                              u"x",
                                              u"y",
                                              u"z",
                                              u"\n",
                                              u"last but three",
                                              u"",
                                              u"",
                                              u"end"};

TEST(StringBlock, FindsEveryEntryOfAWholeBlock) {
    const std::vector<unsigned char> bytes = BuildBlock(kEntries);
    for (bool odd : {false, true}) {
        const ExactCopy block(bytes, bytes.size(), odd);
        for (unsigned entry = 0; entry < 16; ++entry) {
            std::u16string text = u"unchanged";
            const bool found = FindBlockEntry(block.data(), bytes.size(), entry, &text);
            EXPECT_EQ(found, !kEntries[entry].empty()) << entry;
            EXPECT_EQ(text, found ? kEntries[entry] : u"unchanged") << entry;
        }
        std::u16string text = u"unchanged";
        EXPECT_FALSE(FindBlockEntry(block.data(), bytes.size(), 16, &text));
        EXPECT_EQ(text, u"unchanged");
    }
}

// Every cut of the block, odd sizes and counts cut in half included: an entry is found only when
// it lies wholly inside what is left, and nothing beyond the cut is ever read.
TEST(StringBlock, TruncatedBlocksNeverReadPastTheirEnd) {
    const std::vector<unsigned char> bytes = BuildBlock(kEntries);
    std::vector<std::size_t> entryEnd;  // the byte just past each entry
    std::size_t offset = 0;
    for (const std::u16string& text : kEntries) {
        offset += 2 + 2 * text.size();
        entryEnd.push_back(offset);
    }
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        for (bool odd : {false, true}) {
            const ExactCopy block(bytes, size, odd);
            for (unsigned entry = 0; entry < 16; ++entry) {
                std::u16string text = u"unchanged";
                const bool found = FindBlockEntry(block.data(), size, entry, &text);
                const bool whole = entryEnd[entry] <= size && !kEntries[entry].empty();
                ASSERT_EQ(found, whole) << "size " << size << ", entry " << entry;
                ASSERT_EQ(text, found ? kEntries[entry] : u"unchanged");
            }
        }
    }
}

// A count that claims more than the block holds, in an entry on the way or in the one asked for.
TEST(StringBlock, CountsBeyondTheBlock) {
    std::vector<unsigned char> bytes = BuildBlock({u"ab", u"cd", u"ef"});
    bytes[6] = 0xFF;  // the low byte of entry 1's count: it claims 255 units
    const ExactCopy block(bytes, bytes.size(), false);
    std::u16string text = u"unchanged";
    EXPECT_TRUE(FindBlockEntry(block.data(), bytes.size(), 0, &text));
    EXPECT_EQ(text, u"ab");
    text = u"unchanged";
    EXPECT_FALSE(FindBlockEntry(block.data(), bytes.size(), 1, &text));
    EXPECT_FALSE(FindBlockEntry(block.data(), bytes.size(), 2, &text));
    EXPECT_EQ(text, u"unchanged");

    const std::vector<unsigned char> huge = {0xFF, 0xFF, 'a', 0};
    const ExactCopy hugeBlock(huge, huge.size(), true);
    EXPECT_FALSE(FindBlockEntry(hugeBlock.data(), huge.size(), 0, &text));
    EXPECT_FALSE(FindBlockEntry(nullptr, 0, 0, &text));
    EXPECT_EQ(text, u"unchanged");
}

}  // namespace
