#include "app/startup_rules.h"

#include <cstddef>
#include <optional>

namespace {

constexpr uint8_t kAcOffline = 0;
constexpr uint8_t kMinBatteryPercent = 20;
constexpr uint8_t kMaxBatteryPercent = 100;
constexpr uint16_t kOffMainsMessage = 140;
constexpr uint16_t kBatteryMessage = 136;

// White space as the C locale's isspace sees it; the scanf family skips exactly these.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The leading "%d" integer of the text; nothing when no digit follows the white space and the
// optional sign, or when the value does not fit in 32 bits.
std::optional<int32_t> LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size() || !IsDigit(text[i])) return std::nullopt;

    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;  // the magnitude of INT32_MIN
    int64_t magnitude = 0;
    bool outOfRange = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (!outOfRange) {
            magnitude = magnitude * 10 + (text[i] - '0');
            outOfRange = magnitude > kLimit;
        }
    }
    if (outOfRange || (!negative && magnitude == kLimit)) return std::nullopt;
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

StartupMode ReadStartupMode(const std::string& argumentText) {
    const std::optional<int32_t> value = LeadingInteger(argumentText);
    return value && *value == 1 ? StartupMode::Cleanup : StartupMode::Update;
}

PowerVerdict PowerGate(const PowerReading& reading) {
    if (!reading.read) return PowerVerdict::RefuseUnreadable;
    if (reading.acLineStatus == kAcOffline) return PowerVerdict::RefuseOffMains;
    if (reading.batteryLifePercent < kMinBatteryPercent ||
        reading.batteryLifePercent > kMaxBatteryPercent) {
        return PowerVerdict::RefuseBattery;
    }
    return PowerVerdict::Pass;
}

uint16_t RefusalMessageId(PowerVerdict v) {
    switch (v) {
        case PowerVerdict::Pass:
            return 0;
        case PowerVerdict::RefuseOffMains:
            return kOffMainsMessage;
        case PowerVerdict::RefuseBattery:
        case PowerVerdict::RefuseUnreadable:
            return kBatteryMessage;
    }
    return 0;
}

ExitStatus RefusalExitStatus(PowerVerdict v) {
    switch (v) {
        case PowerVerdict::Pass:
            return static_cast<ExitStatus>(0);
        case PowerVerdict::RefuseOffMains:
            return ExitStatus::RefusedOffMains;
        case PowerVerdict::RefuseBattery:
            return ExitStatus::RefusedBattery;
        case PowerVerdict::RefuseUnreadable:
            return ExitStatus::RefusedPowerUnknown;
    }
    return static_cast<ExitStatus>(0);
}
