#include "update/version_decision.h"

#include "tests/support/text_cases.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

struct DecisionCase {
    const char* installed;
    const char* found;
    UpdateDecision expected;
};

// Image "ZKRBTF11.IMC": family ZKRBT, revision 0xF11.
const DecisionCase kDecisionCases[] = {
    {"ZKRBTF10", "ZKRBTF11.IMC", UpdateDecision::ImageNewer},
    {"ZKRBTF11", "ZKRBTF11.IMC", UpdateDecision::SameRevision},
    {"ZKRBTF12", "ZKRBTF11.IMC", UpdateDecision::InstalledNewer},
    {"zkrbtf10", "ZKRBTF11.IMC", UpdateDecision::ImageNewer},
    {"ZKRBTF10", "zkrbtf11.imc", UpdateDecision::ImageNewer},
    {"ZKRBTF11 build 7", "ZKRBTF11.IMC", UpdateDecision::SameRevision},
    {"ZKRBT F11", "ZKRBTF11.IMC", UpdateDecision::SameRevision},
    {"ZKRBTF11A", "ZKRBTF11.IMC", UpdateDecision::InstalledNewer},
    {"ZKRBTG01", "ZKRBTF11.IMC", UpdateDecision::ImageNewer},
    {"ZKRBT0XF11", "ZKRBTF11.IMC", UpdateDecision::SameRevision},
    {"ZKRBT", "ZKRBTF11.IMC", UpdateDecision::ImageNewer},
    {"ZKRBTFFFFFFFFF", "ZKRBTF11.IMC", UpdateDecision::InstalledNewer},
    {"ZKRBT-F12", "ZKRBTF11.IMC", UpdateDecision::ImageNewer},
    {"", "ZKRBTF11.IMC", UpdateDecision::FamilyMismatch},
    {"ZKRB", "ZKRBTF11.IMC", UpdateDecision::FamilyMismatch},
    {"ABCDEF10", "ZKRBTF11.IMC", UpdateDecision::FamilyMismatch},
    {"ZKRBSF10", "ZKRBTF11.IMC", UpdateDecision::FamilyMismatch},
    {"ZKRBTF10", "", UpdateDecision::ImageMissing},
    {"", "", UpdateDecision::ImageMissing},
    {"ZKRBTF10", "OTHERF11.IMC", UpdateDecision::FamilyMismatch},
};

TEST(DecideUpdate, EveryCaseOfTheTable) {
    for (const DecisionCase& c : kDecisionCases) {
        EXPECT_EQ(DecideUpdate(c.installed, c.found, "ZKRBTF11.IMC"), c.expected)
            << "installed \"" << c.installed << "\", found \"" << c.found << "\"";
    }
}

TEST(DecideUpdate, ImageRevisionComesFromTheImageNameNotTheFoundName) {
    // The found name only supplies the family; the revision is the written image's.
    EXPECT_EQ(DecideUpdate("ZKRBTF12", "ZKRBTFFF.IMC", "ZKRBTF11.IMC"),
              UpdateDecision::InstalledNewer);
    EXPECT_EQ(DecideUpdate("ZKRBTF10", "ZKRBT000.IMC", "ZKRBTF11.IMC"), UpdateDecision::ImageNewer);
}

TEST(ParseRevision, NamedCases) {
    EXPECT_EQ(ParseRevision("F11.IMC"), 0xF11);
    EXPECT_EQ(ParseRevision(""), 0);
    EXPECT_EQ(ParseRevision("G01"), 0);
    EXPECT_EQ(ParseRevision(" \t+0Xf11"), 0xF11);
    EXPECT_EQ(ParseRevision("FFFFFFFF"), INT32_MAX);
    EXPECT_EQ(ParseRevision("-80000000"), INT32_MIN);
    EXPECT_EQ(ParseRevision("-80000001"), INT32_MIN);
    EXPECT_EQ(ParseRevision("-7FFFFFFF"), -INT32_MAX);
    EXPECT_EQ(ParseRevision("0x"), 0);
}

int32_t ReferenceRevision(const std::string& text) {
    const long value = std::strtol(text.c_str(), nullptr, 16);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool AgreesWithReference(const std::string& text) {
    const int32_t ours = ParseRevision(text);
    const int32_t reference = ReferenceRevision(text);
    EXPECT_EQ(ours, reference) << "\"" << text << "\"";
    return ours == reference;
}

// The C library is the reference; every short text over a hostile alphabet, exhaustively.
TEST(ParseRevision, AgreesWithStrtolOnEveryShortText) {
    text_cases::ForEveryText(" \t+-0xX1Ff8Gg.", 5, AgreesWithReference);
}

TEST(ParseRevision, AgreesWithStrtolOnRandomEightCharacterTexts) {
    const std::string alphabet = " \t\n\v\f\r+-0123456789abcdefABCDEFxXgG.Z";
    text_cases::ForRandomTexts(alphabet, 6, 8, 300000, 20261211, AgreesWithReference);
}

}  // namespace
