#include "platform/message_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

namespace {

TEST(MessageTexts, TheTwelveIds) {
    const uint16_t ids[] = {msg::kTitle,        msg::kLoading,        msg::kVerifying,
                            msg::kCannotUpdate, msg::kChecking,       msg::kBatteryRefused,
                            msg::kUpdating,     msg::kInitializing,   msg::kPrompt,
                            msg::kOffMains,     msg::kInstalledNewer, msg::kSameVersion};
    const uint16_t expected[] = {129, 131, 132, 133, 135, 136, 137, 138, 139, 140, 141, 142};
    ASSERT_EQ(std::size(ids), kMessageTexts.size());
    for (std::size_t i = 0; i < kMessageTexts.size(); ++i) {
        EXPECT_EQ(ids[i], expected[i]);
        EXPECT_EQ(kMessageTexts[i].id, expected[i]);
        ASSERT_EQ(FindMessageText(expected[i]), &kMessageTexts[i]);
        EXPECT_GT(std::strlen(kMessageTexts[i].english), 0u);
        EXPECT_GT(std::strlen(kMessageTexts[i].korean), 0u);
    }
    for (uint16_t absent : {0, 128, 130, 134, 143, 0xFFFF}) {
        EXPECT_EQ(FindMessageText(static_cast<uint16_t>(absent)), nullptr) << absent;
    }
}

std::size_t LineFeeds(const char* text) {
    return static_cast<std::size_t>(std::count(text, text + std::strlen(text), '\n'));
}

// Facts that a retyped or re-encoded text would lose.
TEST(MessageTexts, ByteExactDetails) {
    const MessageText& loading = *FindMessageText(msg::kLoading);
    EXPECT_STREQ(loading.english, "Loading BIOS update files. ");
    EXPECT_EQ(std::string(loading.korean).back(), '.');

    const MessageText& prompt = *FindMessageText(msg::kPrompt);
    EXPECT_EQ(LineFeeds(prompt.english), 1u);
    EXPECT_EQ(LineFeeds(prompt.korean), 1u);
    for (const MessageText& text : kMessageTexts) {
        if (text.id == msg::kPrompt) continue;
        EXPECT_EQ(LineFeeds(text.english) + LineFeeds(text.korean), 0u) << text.id;
    }

    // UTF-8 as written, whatever the compiler's source or execution character set.
    EXPECT_STREQ(FindMessageText(msg::kTitle)->korean,
                 "BIOS \xEC\x97\x85\xEB\x8D\xB0\xEC\x9D\xB4\xED\x8A\xB8 "
                 "\xED\x94\x84\xEB\xA1\x9C\xEA\xB7\xB8\xEB\x9E\xA8");
    EXPECT_STREQ(kComSecurityFailureKorean,
                 "\xEA\xB6\x8C\xED\x95\x9C \xEC\x84\xA4\xEC\xA0\x95 \xEC\x8B\xA4\xED\x8C\xA8");
}

}  // namespace
