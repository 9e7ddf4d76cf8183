#include "update/preparation_procedure.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct FileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Records each effect in order; the platform's answers are set per case.
class RecordingPreparation : public PreparationEffects {
public:
    bool connects = true;
    bool instanceFound = true;
    bool valueRead = true;
    std::string valueText = "ZKRBTF10";
    std::optional<std::string> folder = std::string("C:\\PF\\BIOSUPDATE");
    bool imageWriteFails = false;
    bool threadStarts = true;

    std::vector<std::string> log;
    std::string biosVersion = "<unset>";
    std::string imageName;
    // What the worker would read at the moment its thread starts.
    std::string versionAtStart, imageNameAtStart;

    bool ConnectWmi() override { return Log("connect", connects); }
    bool GetFirstBiosInstance() override { return Log("first-instance", instanceFound); }
    bool GetBiosVersionValue() override { return Log("property", valueRead); }
    std::string BiosVersionValueText() override { return valueText; }
    void ReleaseBiosQuery() override { log.push_back("release-query"); }
    void SetBiosVersion(const std::string& v) override {
        biosVersion = v;
        log.push_back("version \"" + v + "\"");
    }
    void SetImageName(const std::string& n) override {
        imageName = n;
        log.push_back("image-name " + n);
    }
    std::optional<std::string> WorkFolder() override { return folder; }
    void CreateFolder(const std::string& f) override { log.push_back("create " + f); }
    void DeleteOldImage(const std::string& p) override { log.push_back("delete " + p); }
    void ExtractPayload(uint16_t id, const std::string& p) override {
        log.push_back("extract " + std::to_string(id) + " " + p);
        if (imageWriteFails) throw FileError(p);
    }
    void RaiseNoWorkFolder(const std::string& name) override {
        log.push_back("no-folder " + name);
        throw FileError(name);
    }
    bool StartWorker() override {
        versionAtStart = biosVersion;
        imageNameAtStart = imageName;
        return Log("start-worker", threadStarts);
    }
    void RemoveWorkFiles() override { log.push_back("remove-work-files"); }
    void PostQuit() override { log.push_back("post-quit"); }
    void SetOutcome(ExitStatus o) override {
        log.push_back("outcome " + std::to_string(static_cast<uint32_t>(o)));
    }

private:
    bool Log(const char* event, bool answer) {
        log.push_back(std::string(event) + (answer ? "" : " (fails)"));
        return answer;
    }
};

using Log = std::vector<std::string>;
const Log kImageAndWorker = {"image-name ZKRBTF11.IMC", "create C:\\PF\\BIOSUPDATE",
                             "delete C:\\PF\\BIOSUPDATE\\ZKRBTF11.IMC",
                             "extract 168 C:\\PF\\BIOSUPDATE\\ZKRBTF11.IMC", "start-worker"};

Log Then(Log head, const Log& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(RunPreparation, StepsInOrderForEachQueryOutcome) {
    struct Case {
        const char* name;
        void (*arrange)(RecordingPreparation&);
        std::string version;
        Log log;
    };
    const Case cases[] = {
        {"version read", [](RecordingPreparation&) {}, "ZKRBTF10",
         Then({"connect", "first-instance", "version \"\"", "property", "version \"ZKRBTF10\"",
               "release-query"},
              kImageAndWorker)},
        {"WMI unavailable: no query, nothing released",
         [](RecordingPreparation& p) { p.connects = false; }, "<unset>",
         Then({"connect (fails)"}, kImageAndWorker)},
        {"no instance", [](RecordingPreparation& p) { p.instanceFound = false; }, "<unset>",
         Then({"connect", "first-instance (fails)", "release-query"}, kImageAndWorker)},
        {"property unreadable: the version is emptied",
         [](RecordingPreparation& p) { p.valueRead = false; }, "",
         Then({"connect", "first-instance", "version \"\"", "property (fails)", "release-query"},
              kImageAndWorker)},
    };
    for (const Case& c : cases) {
        RecordingPreparation prep;
        c.arrange(prep);
        RunPreparation(prep);
        EXPECT_EQ(prep.log, c.log) << c.name;
        // The worker's fields are complete before its thread starts.
        EXPECT_EQ(prep.versionAtStart, c.version) << c.name;
        EXPECT_EQ(prep.imageNameAtStart, "ZKRBTF11.IMC") << c.name;
    }
}

TEST(RunPreparation, ThreadThatCannotStartEndsTheRunWithoutAWorker) {
    RecordingPreparation prep;
    prep.threadStarts = false;
    RunPreparation(prep);
    const Log tail(prep.log.end() - 4, prep.log.end());
    EXPECT_EQ(tail, (Log{"start-worker (fails)", "outcome 41", "remove-work-files", "post-quit"}));
}

TEST(RunPreparation, ImageWriteErrorReachesTheCallerBeforeAnyWorker) {
    RecordingPreparation prep;
    prep.imageWriteFails = true;
    EXPECT_THROW(RunPreparation(prep), FileError);
    EXPECT_EQ(prep.log.back(), "extract 168 C:\\PF\\BIOSUPDATE\\ZKRBTF11.IMC");
}

TEST(RunPreparation, NoWorkingFolderIsAFileErrorAndTouchesNoPath) {
    RecordingPreparation prep;
    prep.folder = std::nullopt;
    EXPECT_THROW(RunPreparation(prep), FileError);
    const Log tail(prep.log.end() - 2, prep.log.end());
    EXPECT_EQ(tail, (Log{"image-name ZKRBTF11.IMC", "no-folder ZKRBTF11.IMC"}));
}

}  // namespace
