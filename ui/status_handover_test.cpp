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
    // Until the writer is done and a whole text has been seen at least once: on a loaded machine
    // the writer may run all its replacements between two copies.
    while (writing || copies < 1000 || !(sawFirst || sawSecond)) {
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
    EXPECT_EQ(status.Copy(), second);
}

}  // namespace
