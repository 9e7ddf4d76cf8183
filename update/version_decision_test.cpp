#include "update/version_decision.h"

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

// The C library is the reference; every short text over a hostile alphabet, exhaustively.
TEST(ParseRevision, AgreesWithStrtolOnEveryShortText) {
    const std::string alphabet = " \t+-0xX1Ff8Gg.";
    std::string text;
    for (std::size_t length = 0; length <= 5; ++length) {
        std::vector<std::size_t> index(length, 0);
        for (;;) {
            text.assign(length, ' ');
            for (std::size_t i = 0; i < length; ++i) text[i] = alphabet[index[i]];
            ASSERT_EQ(ParseRevision(text), ReferenceRevision(text)) << "\"" << text << "\"";
            std::size_t pos = 0;
            while (pos < length && ++index[pos] == alphabet.size()) index[pos++] = 0;
            if (pos == length) break;
        }
    }
}

TEST(ParseRevision, AgreesWithStrtolOnRandomEightCharacterTexts) {
    const std::string alphabet = " \t\n\v\f\r+-0123456789abcdefABCDEFxXgG.Z";
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> length(6, 8);
    for (int i = 0; i < 300000; ++i) {
        std::string text(static_cast<std::size_t>(length(random)), ' ');
        for (char& c : text) c = alphabet[pick(random)];
        ASSERT_EQ(ParseRevision(text), ReferenceRevision(text)) << "\"" << text << "\"";
    }
}

}  // namespace
