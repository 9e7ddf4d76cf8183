#include "ui/status_handover.h"

void StatusHandover::Replace(std::string text) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        text_.swap(text);
    }
    // text now holds the old status and is freed here, outside the lock.
}

std::string StatusHandover::Copy() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}
