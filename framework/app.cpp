#include "framework/app.h"

#include <commctrl.h>

namespace fw {
namespace {

CWinApp* g_app = nullptr;

std::string ModuleBaseName() {
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    const std::size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* CWinApp::Current() {
    return g_app;
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine) {
    m_hInstance = instance;
    m_lpCmdLine = commandLine != nullptr ? commandLine : "";
    m_strAppName = ModuleBaseName();
    if (InitInstance()) {
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return ExitInstance();
}

int CWinApp::MessageBoxWithAppName(const std::string& text) const {
    return ::MessageBoxA(m_hMainWnd, text.c_str(), m_strAppName.c_str(),
                         MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace fw
