#include "update/version_marker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingRegistry : public MarkerRegistry {
public:
    bool opens = true;
    bool creates = true;
    bool sets = true;
    std::vector<std::string> log;
    std::string name, data;
    uint32_t type = 0;

    bool OpenKey(const char* key) override { return Log("open " + std::string(key), opens); }
    bool CreateKey(const char* key) override { return Log("create " + std::string(key), creates); }
    bool SetValue(const char* n, uint32_t t, const void* d, uint32_t size) override {
        name = n;
        type = t;
        data.assign(static_cast<const char*>(d), size);
        return Log("set", sets);
    }
    void CloseKey() override { log.push_back("close"); }

private:
    bool Log(const std::string& event, bool answer) {
        log.push_back(event + (answer ? "" : " (fails)"));
        return answer;
    }
};

const std::string kOpen = std::string("open ") + kMarkerKey;
const std::string kCreate = std::string("create ") + kMarkerKey;

TEST(WriteVersionMarker, HandsTheTextWithItsTerminatorAsAString) {
    RecordingRegistry registry;
    EXPECT_TRUE(WriteVersionMarker(registry));
    EXPECT_EQ(registry.name, "Version");
    EXPECT_EQ(registry.type, 1u);  // REG_SZ
    ASSERT_EQ(registry.data.size(), 15u);
    EXPECT_EQ(registry.data, std::string("1.1509.0114.02\0", 15));
    EXPECT_EQ(std::string(kMarkerKey), ".DEFAULT\\Software\\Tavren\\BIOSUPDATE\\Parameters");
}

TEST(WriteVersionMarker, OpensOrCreatesAndAlwaysClosesWhatItOpened) {
    struct Case {
        bool opens, creates, sets, result;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {true, true, true, true, {kOpen, "set", "close"}},
        {false, true, true, true, {kOpen + " (fails)", kCreate, "set", "close"}},
        {true, true, false, false, {kOpen, "set (fails)", "close"}},
        {false, false, true, false, {kOpen + " (fails)", kCreate + " (fails)"}},
    };
    for (const Case& c : cases) {
        RecordingRegistry registry;
        registry.opens = c.opens;
        registry.creates = c.creates;
        registry.sets = c.sets;
        EXPECT_EQ(WriteVersionMarker(registry), c.result);
        EXPECT_EQ(registry.log, c.log);
    }
}

}  // namespace
