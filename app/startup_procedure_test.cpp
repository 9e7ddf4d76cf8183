#include "app/startup_procedure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_texts.h"

namespace {

// Records every effect in order; the answers of the platform are set per case.
class RecordingStartup : public StartupEffects {
public:
    bool otherInstance = false;
    std::string argument;
    PowerReading power{true, 1, 80};
    bool comSecurity = true;
    bool korean = false;
    ExitStatus windowOutcome = ExitStatus::FlashRan;
    std::vector<std::string> log;

    bool AnotherInstanceHoldsTheName() override {
        log.push_back("mutex");
        return otherInstance;
    }
    std::string ArgumentText() override {
        log.push_back("argument");
        return argument;
    }
    void DeleteRunValue() override { log.push_back("delete-run-value"); }
    void RemoveWorkFiles() override { log.push_back("remove-work-files"); }
    PowerReading ReadPowerStatus() override {
        log.push_back("power");
        return power;
    }
    void ShowPowerRefusal(uint16_t id) override { log.push_back("refusal " + std::to_string(id)); }
    void InitializeCom() override { log.push_back("com"); }
    bool SetComSecurity() override {
        log.push_back("com-security");
        return comSecurity;
    }
    bool IsKoreanSystem() override { return korean; }
    void ShowComSecurityFailure(const char* text) override {
        log.push_back(std::string("com-failure ") + text);
    }
    ExitStatus RunSplashWindow() override {
        log.push_back("window");
        return windowOutcome;
    }
    void ReleaseInstanceMutex() override { log.push_back("release-mutex"); }
};

using Log = std::vector<std::string>;

TEST(RunStartup, EachOutcomeHasItsEffectsInOrder) {
    struct Case {
        const char* name;
        void (*arrange)(RecordingStartup&);
        ExitStatus status;
        Log log;
    };
    const Case cases[] = {
        {"second instance, even with argument 1",
         [](RecordingStartup& s) {
             s.otherInstance = true;
             s.argument = "1";
         },
         ExitStatus::AlreadyRunning,
         {"mutex"}},
        {"clean-up on battery power: the mode comes first",
         [](RecordingStartup& s) {
             s.argument = " 1";
             s.power = {true, 0, 5};
         },
         ExitStatus::CleanupDone,
         {"mutex", "argument", "delete-run-value", "remove-work-files"}},
        {"off mains",
         [](RecordingStartup& s) {
             s.power = {true, 0, 100};
         },
         ExitStatus::RefusedOffMains,
         {"mutex", "argument", "power", "remove-work-files", "refusal 140"}},
        {"battery low",
         [](RecordingStartup& s) {
             s.power = {true, 1, 19};
         },
         ExitStatus::RefusedBattery,
         {"mutex", "argument", "power", "remove-work-files", "refusal 136"}},
        {"power status unreadable",
         [](RecordingStartup& s) {
             s.power = {false, 1, 80};
         },
         ExitStatus::RefusedPowerUnknown,
         {"mutex", "argument", "power", "remove-work-files", "refusal 136"}},
        {"COM security refused: nothing deleted",
         [](RecordingStartup& s) { s.comSecurity = false; },
         ExitStatus::ComSecurityFailed,
         {"mutex", "argument", "power", "com", "com-security",
          std::string("com-failure ") + kComSecurityFailureEnglish}},
        {"update run",
         [](RecordingStartup& s) {
             s.argument = "0";
             s.windowOutcome = ExitStatus::SameRevision;
         },
         ExitStatus::SameRevision,
         {"mutex", "argument", "power", "com", "com-security", "window", "release-mutex"}},
    };
    for (const Case& c : cases) {
        RecordingStartup startup;
        c.arrange(startup);
        EXPECT_EQ(RunStartup(startup), c.status) << c.name;
        EXPECT_EQ(startup.log, c.log) << c.name;
    }
}

TEST(RunStartup, ComSecurityFailureIsKoreanOnlyOnAKoreanSystem) {
    RecordingStartup startup;
    startup.comSecurity = false;
    startup.korean = true;
    RunStartup(startup);
    EXPECT_EQ(startup.log.back(), std::string("com-failure ") + kComSecurityFailureKorean);
}

}  // namespace
