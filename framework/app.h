// The application object: the one global instance is found by the entry point, which calls
// InitInstance once; the process ends with ExitInstance's status as soon as InitInstance returns
// FALSE (the product never enters a message loop of its own here).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace fw {

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* Current();

    virtual BOOL InitInstance() { return FALSE; }
    // The process exit status.
    virtual int ExitInstance() { return static_cast<int>(m_exitStatus); }
    // Runs the application to its end; called by the entry point.
    int Run(HINSTANCE instance, const char* commandLine);

    // Shows `text` with the application name as caption, an exclamation icon and OK.
    int MessageBoxWithAppName(const std::string& text) const;
    void SetRegistryKey(const char* key) { m_strRegistryKey = key; }

    HINSTANCE m_hInstance = nullptr;
    std::string m_lpCmdLine;       // the argument text after the executable's name
    std::string m_strAppName;      // the executable's file name without its extension
    std::string m_strRegistryKey;  // kept for the record; no setting is read or written under it
    HWND m_hMainWnd = nullptr;
    uint32_t m_exitStatus = 0;
};

}  // namespace fw
