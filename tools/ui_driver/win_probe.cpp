// A small Windows program for the test harness's own tests: it shows what the UI driver must find
// (a message box, a topmost window) and prints what Wine makes of the faked system (power status
// from sysfs, locale, the Program Files folder). One key=value per line on stdout.
//
//   win_probe.exe box <caption> <text> <flags>   MessageBoxA(NULL, text, caption, flags); prints
//                                                answer=<id> and exits with it
//   win_probe.exe window <title>                 a topmost popup that refuses the end of the
//                                                session and suspend requests, prints each key it
//                                                receives through its message loop and exits 7
//                                                once closed
//   win_probe.exe power                          ac=, battery_percent=, battery_flag=
//   win_probe.exe locale                         lcid=, acp=
//   win_probe.exe folder                         hr=, program_files= (SHGetFolderPathA)
//   win_probe.exe write <path> <bytes>           writes that many bytes in one WriteFile; prints
//                                                written= and error= (GetLastError, 0 when all
//                                                were written); exits 0 only when all were
//   win_probe.exe hold <path> <ms> [<release>]   opens an existing file for reading with no
//                                                sharing at all and keeps it open for <ms>, or
//                                                until the file <release> exists; prints held=1
//                                                once it holds (or held=0 and error=) and
//                                                released=timeout|file when it lets go
#include <shlobj.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Line(const char* key, const char* value) {
    std::printf("%s=%s\n", key, value);
    std::fflush(stdout);
}

void LineNumber(const char* key, unsigned long value) {
    std::printf("%s=%lu\n", key, value);
    std::fflush(stdout);
}

void LineHex(const char* key, unsigned long value) {
    std::printf("%s=0x%04lx\n", key, value);
    std::fflush(stdout);
}

LRESULT CALLBACK ProbeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            return FALSE;
        case WM_POWERBROADCAST:
            return wParam == PBT_APMQUERYSUSPEND ? BROADCAST_QUERY_DENY : TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(7);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

int RunWindow(const char* title) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    windowClass.lpszClassName = "WinProbeWindow";
    if (RegisterClassA(&windowClass) == 0) return 1;
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, title, WS_POPUP | WS_VISIBLE, 100,
                        50, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Posted keys pass here, sent ones do not: that is what the driver's post is for.
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
            LineNumber(message.message == WM_KEYDOWN ? "keydown" : "syskeydown",
                       static_cast<unsigned long>(message.wParam));
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

class OwnedFile {
public:
    explicit OwnedFile(HANDLE h) : h_(h) {}
    ~OwnedFile() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    OwnedFile(const OwnedFile&) = delete;
    OwnedFile& operator=(const OwnedFile&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

int WriteBytes(const char* path, const char* countText) {
    const DWORD count = static_cast<DWORD>(std::strtoul(countText, nullptr, 10));
    OwnedFile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        LineNumber("written", 0);
        LineNumber("error", GetLastError());
        return 1;
    }
    std::vector<char> bytes(count, 'x');
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), bytes.data(), count, &written, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    LineNumber("written", written);
    LineNumber("error", error);
    return ok && written == count ? 0 : 1;
}

// Stands for another program that has a file open: while it holds, no one else can open, delete
// or replace the file.
int HoldFile(const char* path, const char* msText, const char* releasePath) {
    const DWORD holdMs = static_cast<DWORD>(std::strtoul(msText, nullptr, 10));
    OwnedFile file(
        CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        LineNumber("held", 0);
        LineNumber("error", GetLastError());
        return 1;
    }
    LineNumber("held", 1);
    constexpr DWORD kPollMs = 50;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < holdMs) {
        if (releasePath != nullptr && GetFileAttributesA(releasePath) != INVALID_FILE_ATTRIBUTES) {
            Line("released", "file");
            return 0;
        }
        Sleep(kPollMs);
    }
    Line("released", "timeout");
    return 0;
}

int Usage() {
    std::fprintf(stderr, "usage: win_probe box|window|power|locale|folder|write|hold ...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* command = argv[1];
    if (std::strcmp(command, "box") == 0 && argc == 5) {
        const UINT flags = static_cast<UINT>(std::strtoul(argv[4], nullptr, 0));
        const int answer = MessageBoxA(nullptr, argv[3], argv[2], flags);
        LineNumber("answer", static_cast<unsigned long>(answer));
        return answer;
    }
    if (std::strcmp(command, "window") == 0 && argc == 3) return RunWindow(argv[2]);
    if (std::strcmp(command, "power") == 0) {
        SYSTEM_POWER_STATUS status = {};
        if (!GetSystemPowerStatus(&status)) return 1;
        LineNumber("ac", status.ACLineStatus);
        LineNumber("battery_percent", status.BatteryLifePercent);
        LineNumber("battery_flag", status.BatteryFlag);
        return 0;
    }
    if (std::strcmp(command, "locale") == 0) {
        LineHex("lcid", GetSystemDefaultLCID());
        LineNumber("acp", GetACP());
        return 0;
    }
    if (std::strcmp(command, "folder") == 0) {
        char path[MAX_PATH] = "";
        const HRESULT hr = SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path);
        std::printf("hr=0x%08lx\n", static_cast<unsigned long>(hr));
        Line("program_files", path);
        return 0;
    }
    if (std::strcmp(command, "write") == 0 && argc == 4) return WriteBytes(argv[2], argv[3]);
    if (std::strcmp(command, "hold") == 0 && (argc == 4 || argc == 5)) {
        return HoldFile(argv[2], argv[3], argc == 5 ? argv[4] : nullptr);
    }
    return Usage();
}
