#include "platform/message_texts.h"

#include <cstddef>

const std::array<MessageText, 12> kMessageTexts = {{
#define BIOS_MESSAGE(id, english, korean) {id, english, korean},
#include "platform/messages.def"
#undef BIOS_MESSAGE
}};

namespace {

// A message added to or dropped from the definitions must change the table's size too; the
// array alone would fill a missing row with zeros.
constexpr std::size_t kDefinedMessages = 0
#define BIOS_MESSAGE(id, english, korean) +1
#include "platform/messages.def"
#undef BIOS_MESSAGE
    ;
static_assert(kDefinedMessages == std::tuple_size<decltype(kMessageTexts)>::value,
              "kMessageTexts must hold every message of messages.def");

}  // namespace

const MessageText* FindMessageText(uint16_t id) {
    for (const MessageText& text : kMessageTexts) {
        if (text.id == id) return &text;
    }
    return nullptr;
}
