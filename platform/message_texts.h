// The message table's texts as this program holds them (UTF-8), for the code that needs a text
// without the platform's resources, and the few fixed texts that are not in the table.
#pragma once

#include <array>
#include <cstdint>

struct MessageText {
    uint16_t id;
    const char* english;  // UTF-8
    const char* korean;   // UTF-8
};

// In the table's order, from platform/messages.def.
extern const std::array<MessageText, 12> kMessageTexts;

// nullptr when the table has no such id.
const MessageText* FindMessageText(uint16_t id);

namespace msg {
constexpr uint16_t kTitle = 129, kLoading = 131, kVerifying = 132, kCannotUpdate = 133,
                   kChecking = 135, kBatteryRefused = 136, kUpdating = 137, kInitializing = 138,
                   kPrompt = 139, kOffMains = 140, kInstalledNewer = 141, kSameVersion = 142;
}  // namespace msg

// Fixed texts outside the table, UTF-8: converted to the ANSI code page where they are shown.
inline constexpr char kRefusalCaption[] = "BIOS Update";  // the power refusal boxes
inline constexpr char kPromptCaption[] = "BIOS update";   // the confirmation prompt
inline constexpr char kComSecurityFailureEnglish[] = "The fail of authority Setting";
inline constexpr char kComSecurityFailureKorean[] = "권한 설정 실패";
