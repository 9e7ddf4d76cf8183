#include "ui/bios_update_dlg.h"

#include <gtest/gtest.h>

namespace {

// The current request of this thread, read by setting it to what it already is.
EXECUTION_STATE CurrentRequest() {
    const EXECUTION_STATE now = ::SetThreadExecutionState(ES_CONTINUOUS);
    ::SetThreadExecutionState(now);
    return now;
}

TEST(RunInProgressGuard, KeepsTheSystemAwakeWhileItLivesAndNoLonger) {
    HWND window = ::CreateWindowExA(0, "STATIC", "run", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    ::SetThreadExecutionState(ES_CONTINUOUS);
    {
        RunInProgressGuard guard(window, "BIOS is updating now.");
        EXPECT_EQ(CurrentRequest(),
                  static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    }
    EXPECT_EQ(CurrentRequest(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
    ::DestroyWindow(window);
}

}  // namespace
