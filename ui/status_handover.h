// The status line, handed from the worker thread, which replaces it, to the painter on the
// window's thread, which copies it for each frame. Every copy is one whole text.
#pragma once

#include <mutex>
#include <string>

class StatusHandover {
public:
    // The new text is built by the caller; only the swap happens under the lock, and the old
    // text is freed after it is released.
    void Replace(std::string text);
    std::string Copy() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
};
