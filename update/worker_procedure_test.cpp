#include "update/worker_procedure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ui/status_handover.h"

namespace {

constexpr char kFolder[] = "C:\\Program Files\\BIOSUPDATE";

// Records every effect with the virtual time at which it happened; sleeping only moves the
// clock. Messages are "m<id>" unless the id is listed as missing.
class RecordingWorker : public WorkerEffects {
public:
    std::optional<std::string> folder = std::string(kFolder);
    std::string storedName = "ZKRBTF11.IMC";  // what the folder holds, "" for nothing
    std::string installed = "ZKRBTF10";
    std::string imageName = "ZKRBTF11.IMC";
    std::set<uint16_t> missingMessages;
    bool intact = true;
    bool utilityStarts = true;
    uint32_t flashMs = 30000;

    uint64_t now = 0;
    std::vector<std::string> log;  // "<ms> <event>"
    std::vector<FlashLaunch> launches;

    void Sleep(uint32_t ms) override { now += ms; }
    std::optional<std::string> WorkFolder() override { return folder; }
    std::string FindImageFile(const std::string& path) override {
        Record("find " + path);
        return storedName;
    }
    bool LoadMessage(uint16_t id, std::string& text) override {
        if (missingMessages.count(id) != 0) return false;
        text = "m" + std::to_string(id);
        return true;
    }
    void ReplaceStatus(const std::string& text) override { Record("status " + text); }
    void Repaint() override { Record("repaint"); }
    std::string InstalledVersion() override { return installed; }
    std::string ImageName() override { return imageName; }
    bool PayloadsIntact(const std::string& f, const std::string& image) override {
        Record("check " + f + " " + image);
        return intact;
    }
    void ReleasePayloads() override { Record("release"); }
    bool RunAndWait(const FlashLaunch& launch) override {
        Record("run");
        launches.push_back(launch);
        if (utilityStarts) now += flashMs;
        return utilityStarts;
    }
    void WriteVersionMarker() override { Record("marker"); }
    void SetOutcome(ExitStatus outcome) override {
        Record("outcome " + std::to_string(static_cast<uint32_t>(outcome)));
    }
    void ArmExitTimer() override { Record("exit-timer"); }
    void PostDone() override { Record("done"); }

    // The log without the repaint requests, once each is checked to follow a status change.
    std::vector<std::string> Timeline() const {
        std::vector<std::string> timeline;
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (log[i].find(" repaint") != std::string::npos) continue;
            if (log[i].find(" status ") != std::string::npos) {
                EXPECT_TRUE(i + 1 < log.size() && log[i + 1].find(" repaint") != std::string::npos)
                    << "no repaint after " << log[i];
            }
            timeline.push_back(log[i]);
        }
        return timeline;
    }
    int Count(const std::string& event) const {
        return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const std::string& e) {
            return e.substr(e.find(' ') + 1) == event;
        }));
    }

private:
    void Record(const std::string& event) { log.push_back(std::to_string(now) + " " + event); }
};

using Timeline = std::vector<std::string>;

const std::string kFind = std::string("find ") + kFolder + "\\ZKRBTF11.IMC";

// The five decisions from the start of the thread, the start pause included.
TEST(WorkerProcedure, TimelineOfEachDecision) {
    struct Case {
        const char* installed;
        const char* stored;
        Timeline timeline;
    };
    const Case cases[] = {
        {"ZKRBTF10",
         "",
         {"1000 " + kFind, "1000 marker", "1000 status m133", "4000 outcome 30", "4000 exit-timer",
          "4000 done"}},
        {"ABCDEF10",
         "ZKRBTF11.IMC",
         {"1000 " + kFind, "3000 status m131", "5000 status m132", "7000 marker",
          "7000 status m133", "10000 outcome 31", "10000 exit-timer", "10000 done"}},
        {"ZKRBTF12",
         "ZKRBTF11.IMC",
         {"1000 " + kFind, "3000 status m131", "5000 status m132", "7000 marker",
          "7000 status m141", "12000 outcome 32", "12000 exit-timer", "12000 done"}},
        {"ZKRBTF11",
         "ZKRBTF11.IMC",
         {"1000 " + kFind, "3000 status m131", "5000 status m132", "7000 marker",
          "7000 status m142", "12000 outcome 33", "12000 exit-timer", "12000 done"}},
        // The utility runs for 30 s; the marker follows its end and no exit timer is armed.
        {"ZKRBTF10",
         "ZKRBTF11.IMC",
         {"1000 " + kFind, "3000 status m131", "5000 status m132",
          std::string("7000 check ") + kFolder + " ZKRBTF11.IMC", "7000 status m135",
          "11000 status m137", "12000 run", "42000 release", "42000 marker", "42000 outcome 3010",
          "42000 done"}},
    };
    for (const Case& c : cases) {
        RecordingWorker worker;
        worker.installed = c.installed;
        worker.storedName = c.stored;
        WorkerProcedure procedure;
        procedure.RunThread(worker);
        EXPECT_EQ(worker.Timeline(), c.timeline) << c.installed << " / \"" << c.stored << "\"";
        EXPECT_EQ(procedure.FoundName(), c.stored);
    }
}

TEST(WorkerProcedure, FlashRunsTheQuotedUtilityInTheWorkingFolder) {
    RecordingWorker worker;
    worker.installed = "zkrbtf10";
    worker.storedName = "zkrbtf11.imc";  // the file system kept another letter case
    WorkerProcedure procedure;
    procedure.RunThread(worker);
    ASSERT_EQ(worker.launches.size(), 1u);
    const FlashLaunch& launch = worker.launches[0];
    EXPECT_EQ(launch.applicationName, std::string(kFolder) + "\\SWinFlash.exe");
    EXPECT_EQ(launch.commandLine, std::string("\"") + kFolder +
                                      "\\SWinFlash.exe\" /BU=BIOS.bak /C /MFG /P /S /V /mode=2 "
                                      "ZKRBTF11.IMC");
    EXPECT_EQ(launch.workingDirectory, kFolder);
    EXPECT_EQ(procedure.FoundName(), "zkrbtf11.imc");
    EXPECT_EQ(procedure.BiosFamily(), "ZKRBT");
}

// Over many installed versions: the marker once, the done message last and once, a process only
// for a newer image, and the exit timer just before the done message in every other run.
TEST(WorkerProcedure, EveryRunEndsTheSameWay) {
    const char* const installedVersions[] = {
        "",         "Wine",       "ZKRB",           "ZKRBT",     "ZKRBT F11",
        "ZKRBTF10", "zkrbtf10",   "ZKRBTF11",       "ZKRBTF11A", "ZKRBTF12",
        "ZKRBTG01", "ZKRBT0XF11", "ZKRBTFFFFFFFFF", "ABCDEF10",  "ZKRBT-F12"};
    for (const char* installed : installedVersions) {
        for (const char* stored : {"ZKRBTF11.IMC", "zkrbtf11.imc", "OTHERF11.IMC", ""}) {
            RecordingWorker worker;
            worker.installed = installed;
            worker.storedName = stored;
            WorkerProcedure().RunThread(worker);
            const bool flash =
                DecideUpdate(installed, stored, "ZKRBTF11.IMC") == UpdateDecision::ImageNewer;
            const std::string label = std::string(installed) + " / " + stored;
            EXPECT_EQ(worker.Count("marker"), 1) << label;
            EXPECT_EQ(worker.Count("done"), 1) << label;
            EXPECT_EQ(worker.Count("run"), flash ? 1 : 0) << label;
            EXPECT_EQ(worker.Count("exit-timer"), flash ? 0 : 1) << label;
            ASSERT_GE(worker.log.size(), 3u) << label;
            const std::string last = worker.log.back();
            EXPECT_EQ(last.substr(last.find(' ') + 1), "done") << label;
            const std::string beforeLast = worker.log[worker.log.size() - 2];
            EXPECT_EQ(beforeLast.substr(beforeLast.find(' ') + 1),
                      flash ? "outcome 3010" : "exit-timer")
                << label;
        }
    }
}

TEST(WorkerProcedure, MissingMessageShowsThePreviousText) {
    struct Case {
        std::set<uint16_t> missing;
        const char* installed;
        std::vector<std::string> statuses;
    };
    const Case cases[] = {
        {{132}, "ZKRBTF11", {"status m131", "status m131", "status m142"}},
        // No text before the first one: an empty line.
        {{131, 142}, "ZKRBTF11", {"status ", "status m132", "status m132"}},
        {{137}, "ZKRBTF10", {"status m131", "status m132", "status m135", "status m135"}},
    };
    for (const Case& c : cases) {
        RecordingWorker worker;
        worker.installed = c.installed;
        worker.missingMessages = c.missing;
        WorkerProcedure().RunThread(worker);
        std::vector<std::string> statuses;
        for (const std::string& e : worker.log) {
            const std::string event = e.substr(e.find(' ') + 1);
            if (event.rfind("status ", 0) == 0) statuses.push_back(event);
        }
        EXPECT_EQ(statuses, c.statuses) << c.installed;
    }
}

TEST(WorkerProcedure, NoWorkingFolderEndsAsAMissingImage) {
    RecordingWorker worker;
    worker.folder = std::nullopt;
    WorkerProcedure().RunThread(worker);
    EXPECT_EQ(worker.Timeline(), (Timeline{"1000 marker", "1000 status m133", "4000 outcome 30",
                                           "4000 exit-timer", "4000 done"}));
}

TEST(WorkerProcedure, FilesThatAreNotOursAreNeverFlashed) {
    RecordingWorker worker;
    worker.intact = false;
    WorkerProcedure().RunThread(worker);
    EXPECT_EQ(worker.Timeline(), (Timeline{"1000 " + kFind, "3000 status m131", "5000 status m132",
                                           std::string("7000 check ") + kFolder + " ZKRBTF11.IMC",
                                           "7000 release", "7000 marker", "7000 status m133",
                                           "10000 outcome 34", "10000 exit-timer", "10000 done"}));
    EXPECT_TRUE(worker.launches.empty());
}

TEST(WorkerProcedure, UtilityThatCannotStartEndsLikeAFlashWithItsOwnOutcome) {
    RecordingWorker worker;
    worker.utilityStarts = false;
    WorkerProcedure().RunThread(worker);
    const Timeline timeline = worker.Timeline();
    const Timeline tail(timeline.end() - 5, timeline.end());
    EXPECT_EQ(tail, (Timeline{"12000 run", "12000 release", "12000 marker", "12000 outcome 43",
                              "12000 done"}));
}

// The procedure on a thread of its own against a painter that copies the status line all the
// while, as the window does; ThreadSanitizer watches the hand-over.
TEST(WorkerProcedure, RunsOnItsOwnThreadBesideThePainter) {
    class ThreadedWorker : public RecordingWorker {
    public:
        StatusHandover status;
        std::mutex mutex;
        std::condition_variable doneCv;
        bool done = false;

        void Sleep(uint32_t) override { std::this_thread::yield(); }
        void ReplaceStatus(const std::string& text) override { status.Replace(text); }
        void Repaint() override {}
        void PostDone() override {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
            doneCv.notify_one();
        }
    };
    ThreadedWorker worker;
    std::thread thread([&] { WorkerProcedure().RunThread(worker); });
    const std::set<std::string> whole = {"", "m131", "m132", "m135", "m137"};
    int torn = 0;
    for (;;) {
        if (whole.count(worker.status.Copy()) == 0) ++torn;
        std::unique_lock<std::mutex> lock(worker.mutex);
        if (worker.doneCv.wait_for(lock, std::chrono::microseconds(50),
                                   [&] { return worker.done; }))
            break;
    }
    thread.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(worker.status.Copy(), "m137");
}

}  // namespace
