#include "platform/load_message.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/ansi_text.h"
#include "platform/message_texts.h"

namespace {

// The compiled string tables must say exactly what the one list of texts says, in the language
// the platform picks: Korean on a Korean system (run with LC_ALL=ko_KR.UTF-8), English otherwise.
TEST(LoadMessage, EveryMessageComesBackAsWrittenInTheSystemsLanguage) {
    const bool korean = ::GetSystemDefaultLCID() == 0x412;
    const char* expectKorean = std::getenv("BIOSUPDATE_EXPECT_KOREAN");
    if (expectKorean != nullptr) {
        ASSERT_EQ(korean, std::string(expectKorean) == "1");
    }
    for (const MessageText& message : kMessageTexts) {
        std::string text;
        ASSERT_TRUE(LoadMessage(message.id, text)) << message.id;
        EXPECT_EQ(text, Utf8ToAnsi(korean ? message.korean : message.english)) << message.id;
    }
}

TEST(LoadMessage, AnAbsentMessageLeavesTheCallersText) {
    // 130 and 134 sit in the same block as present entries; 4000 has no block at all.
    for (uint16_t id : {130, 134, 143, 4000}) {
        std::string text = "previous";
        EXPECT_FALSE(LoadMessage(id, text)) << id;
        EXPECT_EQ(text, "previous") << id;
    }
}

}  // namespace
