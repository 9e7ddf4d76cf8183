#include "app/startup_rules.h"

#include "tests/support/text_cases.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(ReadStartupMode, ArgumentTexts) {
    const char* const cleanup[] = {"1", " 1", "\t1", "+1", "01", "1a", "1 x"};
    const char* const update[] = {"",  "0", "2", "-1",  "10",  "/1",         "a1",
                                  "+", "-", " ", "+-1", "-+1", "4294967297", "2147483649"};
    for (const char* text : cleanup) {
        EXPECT_EQ(ReadStartupMode(text), StartupMode::Cleanup) << "\"" << text << "\"";
    }
    for (const char* text : update) {
        EXPECT_EQ(ReadStartupMode(text), StartupMode::Update) << "\"" << text << "\"";
    }
}

using Scanner = int (*)(const char*, int*);

StartupMode ScannedMode(const std::string& text, Scanner scan) {
    int n = 0;
    return scan(text.c_str(), &n) == 1 && n == 1 ? StartupMode::Cleanup : StartupMode::Update;
}

struct Reference {
    const char* name;
    Scanner scan;
};

// The C library's own "%d" is the reference. The mingw runtime brings its own scanf family in
// front of msvcrt's; both are what a Windows program may meet, so both are compared there.
const Reference kReferences[] = {
    {"sscanf", [](const char* text, int* n) { return std::sscanf(text, "%d", n); }},
#ifdef __MINGW32__
    {"msvcrt sscanf", [](const char* text, int* n) { return __ms_sscanf(text, "%d", n); }},
#endif
};

// The C library leaves an out-of-range "%d" undefined, so only texts whose number fits in
// 32 bits (or that hold no number) are compared; for the rest our own choice is an update run.
bool NumberFitsInt32(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return value >= INT32_MIN && value <= INT32_MAX;
}

void ExpectAgreement(const std::string& text) {
    if (!NumberFitsInt32(text)) {
        ASSERT_EQ(ReadStartupMode(text), StartupMode::Update) << "\"" << text << "\"";
        return;
    }
    for (const Reference& reference : kReferences) {
        ASSERT_EQ(ReadStartupMode(text), ScannedMode(text, reference.scan))
            << reference.name << ", \"" << text << "\"";
    }
}

bool AgreesWithBothLibraries(const std::string& text) {
    ExpectAgreement(text);
    return !::testing::Test::HasFatalFailure();
}

TEST(ReadStartupMode, AgreesWithSscanfOnEveryShortText) {
    text_cases::ForEveryText(" \t\n\v\r+-0129a/\xa0", 5, AgreesWithBothLibraries);
}

TEST(ReadStartupMode, AgreesWithSscanfOnRandomLongerTexts) {
    const std::string alphabet = " \t\n\v\f\r+-0000111123456789aZ/.\x80\xa0\xff";
    text_cases::ForRandomTexts(alphabet, 6, 13, 200000, 20260114, AgreesWithBothLibraries);
}

TEST(PowerGate, Readings) {
    struct Case {
        PowerReading reading;
        PowerVerdict verdict;
        uint16_t message;
        ExitStatus status;
    };
    const Case cases[] = {
        {{true, 0, 100}, PowerVerdict::RefuseOffMains, 140, ExitStatus::RefusedOffMains},
        {{true, 0, 5}, PowerVerdict::RefuseOffMains, 140, ExitStatus::RefusedOffMains},
        {{true, 0, 255}, PowerVerdict::RefuseOffMains, 140, ExitStatus::RefusedOffMains},
        {{true, 1, 19}, PowerVerdict::RefuseBattery, 136, ExitStatus::RefusedBattery},
        {{true, 1, 20}, PowerVerdict::Pass, 0, static_cast<ExitStatus>(0)},
        {{true, 1, 100}, PowerVerdict::Pass, 0, static_cast<ExitStatus>(0)},
        {{true, 1, 101}, PowerVerdict::RefuseBattery, 136, ExitStatus::RefusedBattery},
        {{true, 1, 255}, PowerVerdict::RefuseBattery, 136, ExitStatus::RefusedBattery},
        {{true, 255, 50}, PowerVerdict::Pass, 0, static_cast<ExitStatus>(0)},
        {{true, 255, 255}, PowerVerdict::RefuseBattery, 136, ExitStatus::RefusedBattery},
        {{false, 1, 50}, PowerVerdict::RefuseUnreadable, 136, ExitStatus::RefusedPowerUnknown},
        {{false, 0, 0}, PowerVerdict::RefuseUnreadable, 136, ExitStatus::RefusedPowerUnknown},
    };
    for (const Case& c : cases) {
        const PowerVerdict verdict = PowerGate(c.reading);
        SCOPED_TRACE(testing::Message()
                     << "read " << c.reading.read << ", ac " << int{c.reading.acLineStatus}
                     << ", battery " << int{c.reading.batteryLifePercent});
        EXPECT_EQ(verdict, c.verdict);
        EXPECT_EQ(RefusalMessageId(verdict), c.message);
        EXPECT_EQ(RefusalExitStatus(verdict), c.status);
    }
}

}  // namespace
