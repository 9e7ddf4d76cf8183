#include "ui/status_handover.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

// Two texts long enough that a torn copy would show a mixture of both.
TEST(StatusHandover, EveryCopyIsOneWholeText) {
    const std::string first(4000, 'a');
    const std::string second = std::string(6000, 'b') + "end";
    StatusHandover status;
    std::atomic<bool> writing{true};

    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) status.Replace(i % 2 == 0 ? first : second);
        writing = false;
    });
    int copies = 0, torn = 0;
    bool sawFirst = false, sawSecond = false;
    while (writing || copies < 1000) {
        const std::string copy = status.Copy();
        ++copies;
        if (copy == first) {
            sawFirst = true;
        } else if (copy == second) {
            sawSecond = true;
        } else if (!copy.empty()) {
            ++torn;
        }
    }
    writer.join();

    EXPECT_EQ(torn, 0);
    EXPECT_TRUE(sawFirst || sawSecond);
    EXPECT_EQ(status.Copy(), second);
}

}  // namespace
