// Drives and inspects the windows of a program under test, from a second Windows process run
// beside it under Wine. Every result goes to stdout as key=value lines; the exit status is 0 on
// success, 1 when the window is not found (or the timeout passed), 2 on bad usage.
//
//   ui_driver.exe wait <title> <timeout_ms>     wait for a top-level window titled exactly <title>
//   ui_driver.exe shown <title> <timeout_ms>    wait until that window exists and is visible
//   ui_driver.exe gone <title> <timeout_ms>     wait until no such window exists
//   ui_driver.exe info <title>                  describe the window now
//   ui_driver.exe text <title>                  its caption, its visible controls' texts, and
//                                               its icon: icon=0|1, icon_kind=error|question|
//                                               warning|information|other|none
//   ui_driver.exe press <title> yes|no|ok|cancel
//   ui_driver.exe send <title> <message> [wparam] [lparam]
//   ui_driver.exe post <title> <message> [wparam] [lparam]
//   ui_driver.exe screen                        the primary screen's size
//
// <message> is close, powerbroadcast, queryendsession, keydown, syskeydown or a number; numbers
// may be decimal or 0x-hexadecimal. Texts are printed in UTF-8 whatever the system's code page is
// (a Korean system's message boxes included), with CR and LF written as \r and \n.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 30000;

void Line(const char* key, const std::string& value) {
    std::printf("%s=%s\n", key, value.c_str());
    std::fflush(stdout);
}

std::string Hex(unsigned long long value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*llx", digits, value);
    return text;
}

std::string Decimal(long long value) {
    return std::to_string(value);
}

// A window's text in UTF-8, escaped so that it stays on one line.
std::string WindowTextUtf8(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::string();
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1);
    const int got = GetWindowTextW(window, wide.data(), length + 1);
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), got, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), got, utf8.data(), bytes, nullptr, nullptr);
    std::string escaped;
    for (char c : utf8) {
        if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool ParseNumber(const char* text, unsigned long long& value) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    value = std::strtoull(text, &end, 0);
    return *end == '\0';
}

bool ParseMessage(const char* text, UINT& message) {
    struct Named {
        const char* name;
        UINT message;
    };
    static const Named kNames[] = {
        {"close", WM_CLOSE},
        {"powerbroadcast", WM_POWERBROADCAST},
        {"queryendsession", WM_QUERYENDSESSION},
        {"keydown", WM_KEYDOWN},
        {"syskeydown", WM_SYSKEYDOWN},
    };
    for (const Named& n : kNames) {
        if (std::strcmp(text, n.name) == 0) {
            message = n.message;
            return true;
        }
    }
    unsigned long long number = 0;
    if (!ParseNumber(text, number) || number > 0xFFFFFFFFull) return false;
    message = static_cast<UINT>(number);
    return true;
}

enum class Awaited { Present, Shown, Gone };

// Polls for the window's state; returns the window found at the end (NULL when there is none).
HWND WaitFor(const char* title, DWORD timeoutMs, Awaited awaited, bool& reached) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowA(nullptr, title);
        switch (awaited) {
            case Awaited::Present:
                reached = window != nullptr;
                break;
            case Awaited::Shown:
                reached = window != nullptr && IsWindowVisible(window);
                break;
            case Awaited::Gone:
                reached = window == nullptr;
                break;
        }
        if (reached || GetTickCount() - start >= timeoutMs) return window;
        Sleep(kPollMs);
    }
}

void Describe(HWND window) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    RECT rect = {};
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    Line("hwnd", Hex(reinterpret_cast<ULONG_PTR>(window), 1));
    Line("class", ClassName(window));
    Line("visible", IsWindowVisible(window) ? "1" : "0");
    Line("style", Hex(static_cast<unsigned long>(style), 8));
    Line("exstyle", Hex(static_cast<unsigned long>(exStyle), 8));
    Line("rect", Decimal(rect.left) + "," + Decimal(rect.top) + "," + Decimal(rect.right) + "," +
                     Decimal(rect.bottom));
    Line("topmost", (exStyle & WS_EX_TOPMOST) != 0 ? "1" : "0");
    Line("foreground", GetForegroundWindow() == window ? "1" : "0");
    Line("pid", Decimal(pid));
}

// GDI owners for the icon comparison.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_ != nullptr) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A 32-bit top-down pixel buffer selected into its own memory DC.
class PixelSurface {
public:
    PixelSurface(int width, int height) : width_(width), height_(height) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        if (dc_ != nullptr) {
            bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        }
        if (bitmap_ != nullptr) previous_ = SelectObject(dc_, bitmap_);
    }
    ~PixelSurface() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    bool ok() const { return bits_ != nullptr && previous_ != nullptr; }
    HDC dc() const { return dc_; }
    uint32_t Pixel(int i) const { return static_cast<const uint32_t*>(bits_)[i] & 0xFFFFFFu; }
    void Fill(uint32_t color) {
        GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) static_cast<uint32_t*>(bits_)[i] = color;
    }
    int count() const { return width_ * height_; }

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

// Which system icon a message box shows. Another process's icon handle cannot be drawn here, so
// the control's pixels on the screen are compared with each system icon drawn the same way; a
// covered box reads as "other".
std::string IconKind(HWND iconControl) {
    RECT rect = {};
    if (!GetWindowRect(iconControl, &rect)) return "other";
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return "other";
    PixelSurface seen(width, height);
    ScreenDc screen;
    if (!seen.ok() || screen.get() == nullptr ||
        !BitBlt(seen.dc(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY)) {
        return "other";
    }
    GdiFlush();
    struct Candidate {
        const char* kind;
        LPCSTR id;
    };
    static const Candidate kCandidates[] = {
        {"error", IDI_HAND},
        {"question", IDI_QUESTION},
        {"warning", IDI_EXCLAMATION},
        {"information", IDI_ASTERISK},
    };
    const char* best = "other";
    int bestMatches = seen.count() * 9 / 10;  // below 90 % equal pixels it is none of them
    for (const Candidate& c : kCandidates) {
        PixelSurface drawn(width, height);
        if (!drawn.ok()) return "other";
        // The icon's corners are transparent: the box's own background shows there.
        drawn.Fill(seen.Pixel(0));
        if (!DrawIconEx(drawn.dc(), 0, 0, LoadIconA(nullptr, c.id), width, height, 0, nullptr,
                        DI_NORMAL)) {
            continue;
        }
        GdiFlush();
        int matches = 0;
        for (int i = 0; i < seen.count(); ++i) matches += seen.Pixel(i) == drawn.Pixel(i) ? 1 : 0;
        if (matches > bestMatches) {
            bestMatches = matches;
            best = c.kind;
        }
    }
    return best;
}

struct Controls {
    HWND icon = nullptr;
};

BOOL CALLBACK PrintControl(HWND control, LPARAM found) {
    if (!IsWindowVisible(control)) return TRUE;
    const std::string name = ClassName(control);
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    if (lstrcmpiA(name.c_str(), "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        if (SendMessageA(control, STM_GETICON, 0, 0) != 0) {
            reinterpret_cast<Controls*>(found)->icon = control;
        }
        return TRUE;
    }
    if (lstrcmpiA(name.c_str(), "Button") == 0) {
        Line("button", WindowTextUtf8(control));
    } else if (lstrcmpiA(name.c_str(), "Static") == 0) {
        Line("text", WindowTextUtf8(control));
    } else {
        Line("control", name + ":" + WindowTextUtf8(control));
    }
    return TRUE;
}

void PrintTexts(HWND window) {
    Line("caption", WindowTextUtf8(window));
    Controls found;
    EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(&found));
    Line("icon", found.icon != nullptr ? "1" : "0");
    Line("icon_kind", found.icon != nullptr ? IconKind(found.icon) : "none");
}

int Usage() {
    std::fprintf(stderr,
                 "usage: ui_driver wait|shown|gone <title> <timeout_ms> | info|text <title> |\n"
                 "       press <title> yes|no|ok|cancel | send|post <title> <message> [wparam] "
                 "[lparam] | screen\n");
    return 2;
}

int NotFound(const char* title) {
    Line("error", std::string("no window titled \"") + title + "\"");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];

    if (command == "screen" && argc == 2) {
        Line("width", Decimal(GetSystemMetrics(SM_CXSCREEN)));
        Line("height", Decimal(GetSystemMetrics(SM_CYSCREEN)));
        return 0;
    }
    if (argc < 3) return Usage();
    const char* title = argv[2];

    if (command == "wait" || command == "shown" || command == "gone") {
        unsigned long long timeout = 0;
        if (argc != 4 || !ParseNumber(argv[3], timeout) || timeout > 0xFFFFFFFFull) return Usage();
        const Awaited awaited = command == "wait"    ? Awaited::Present
                                : command == "shown" ? Awaited::Shown
                                                     : Awaited::Gone;
        bool reached = false;
        HWND window = WaitFor(title, static_cast<DWORD>(timeout), awaited, reached);
        if (awaited == Awaited::Gone) {
            if (!reached) {
                Line("error", std::string("window \"") + title + "\" still there");
                return 1;
            }
            Line("gone", "1");
            return 0;
        }
        if (window == nullptr) return NotFound(title);
        Describe(window);
        if (!reached) {
            Line("error", std::string("window \"") + title + "\" not shown");
            return 1;
        }
        return 0;
    }

    HWND window = FindWindowA(nullptr, title);
    if (command == "info" && argc == 3) {
        if (window == nullptr) return NotFound(title);
        Describe(window);
        return 0;
    }
    if (command == "text" && argc == 3) {
        if (window == nullptr) return NotFound(title);
        PrintTexts(window);
        return 0;
    }
    if (command == "press" && argc == 4) {
        const std::string button = argv[3];
        WPARAM id = 0;
        if (button == "yes") {
            id = IDYES;
        } else if (button == "no") {
            id = IDNO;
        } else if (button == "ok") {
            id = IDOK;
        } else if (button == "cancel") {
            id = IDCANCEL;
        } else {
            return Usage();
        }
        if (window == nullptr) return NotFound(title);
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, WM_COMMAND, id, 0, SMTO_NORMAL, kSendTimeoutMs, &result)) {
            Line("error", "WM_COMMAND not handled in time (" + Decimal(GetLastError()) + ")");
            return 1;
        }
        Line("pressed", button);
        return 0;
    }
    if ((command == "send" || command == "post") && argc >= 4 && argc <= 6) {
        UINT message = 0;
        unsigned long long wParam = 0;
        unsigned long long lParam = 0;
        if (!ParseMessage(argv[3], message) || (argc >= 5 && !ParseNumber(argv[4], wParam)) ||
            (argc >= 6 && !ParseNumber(argv[5], lParam))) {
            return Usage();
        }
        if (window == nullptr) return NotFound(title);
        if (command == "post") {
            if (!PostMessageA(window, message, static_cast<WPARAM>(wParam),
                              static_cast<LPARAM>(lParam))) {
                Line("error", "PostMessageA failed (" + Decimal(GetLastError()) + ")");
                return 1;
            }
            Line("posted", "1");
            return 0;
        }
        // Bounded, so that a window that stopped answering fails the test instead of hanging it.
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(window, message, static_cast<WPARAM>(wParam),
                                 static_cast<LPARAM>(lParam), SMTO_NORMAL, kSendTimeoutMs,
                                 &result)) {
            Line("error", "no answer in time (" + Decimal(GetLastError()) + ")");
            return 1;
        }
        Line("result", Decimal(static_cast<long long>(static_cast<LRESULT>(result))));
        return 0;
    }
    return Usage();
}
