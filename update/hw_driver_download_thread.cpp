#include "update/hw_driver_download_thread.h"

#include <vector>

#include "framework/file_find.h"
#include "payload/payload_check.h"
#include "platform/load_message.h"
#include "platform/system_queries.h"
#include "ui/bios_update_dlg.h"

namespace {

// The worker's effects on the platform and on its window.
class Win32WorkerEffects : public WorkerEffects {
public:
    explicit Win32WorkerEffects(CBiosUpdateDlg& window) : window_(window) {}

    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
    std::optional<std::string> WorkFolder() override { return ::WorkFolder(); }
    std::string FindImageFile(const std::string& path) override { return ::FindImageFile(path); }
    bool LoadMessage(uint16_t id, std::string& text) override { return ::LoadMessage(id, text); }
    void ReplaceStatus(const std::string& text) override { window_.m_strStatus.Replace(text); }
    void Repaint() override { ::InvalidateRect(window_.m_hWnd, nullptr, FALSE); }
    std::string InstalledVersion() override { return window_.m_strBiosVersion; }
    std::string ImageName() override { return window_.m_strImageName; }
    bool PayloadsIntact(const std::string& folder, const std::string& imageName) override {
        return HoldDeployedFilesMatchingPayloads(folder, imageName, held_);
    }
    void ReleasePayloads() override { held_.clear(); }
    bool RunAndWait(const FlashLaunch& launch) override { return ::RunAndWait(launch); }
    void WriteVersionMarker() override {
        Win32MarkerRegistry registry;
        ::WriteVersionMarker(registry);
    }
    void SetOutcome(ExitStatus outcome) override { window_.SetRunOutcome(outcome); }
    void ArmExitTimer() override {
        ::SetTimer(window_.m_hWnd, IDT_BIOSUPDATE_EXIT, kExitDelayMs, nullptr);
    }
    void PostDone() override { ::PostMessageA(window_.m_hWnd, WM_BIOSUPDATE_DONE, 0, 0); }

private:
    CBiosUpdateDlg& window_;
    std::vector<fw::ScopedHandle> held_;  // our checked files, held until the utility has ended
};

}  // namespace

CHWDriverDownloadThread::CHWDriverDownloadThread(CBiosUpdateDlg* owner) : m_pDlg(owner) {}

CHWDriverDownloadThread::~CHWDriverDownloadThread() = default;

BOOL CHWDriverDownloadThread::InitInstance() {
    Win32WorkerEffects effects(*m_pDlg);
    m_procedure.RunThread(effects);
    // No message loop: the thread ends and the object deletes itself.
    return FALSE;
}

int CHWDriverDownloadThread::ExitInstance() {
    return fw::CWinThread::ExitInstance();
}

int CHWDriverDownloadThread::RunUpdate() {
    Win32WorkerEffects effects(*m_pDlg);
    return m_procedure.RunUpdate(effects);
}

std::string FindImageFile(const std::string& path) {
    fw::CFileFind finder;
    bool more = finder.FindFile(path);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots()) continue;
        std::string name = finder.GetFileName();
        if (!name.empty()) return name;
    }
    return std::string();
}

bool RunAndWait(const FlashLaunch& launch) {
    // CreateProcessA may write into the command line, so it gets its own whole copy.
    std::string commandLine = launch.commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessA(launch.applicationName.c_str(), commandLine.data(), nullptr, nullptr,
                          FALSE, CREATE_NO_WINDOW, nullptr, launch.workingDirectory.c_str(),
                          &startup, &created)) {
        return false;
    }
    // Declared in this order so the thread handle is closed first, then the process handle.
    fw::ScopedHandle process(created.hProcess);
    fw::ScopedHandle thread(created.hThread);
    // The utility's own verdict is not ours to act on: the run goes on the same way.
    ::WaitForSingleObject(process.get(), INFINITE);
    return true;
}

bool Win32MarkerRegistry::OpenKey(const char* key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_USERS, key, 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return false;
    key_.reset(opened);
    return true;
}

bool Win32MarkerRegistry::CreateKey(const char* key) {
    HKEY created = nullptr;
    if (::RegCreateKeyA(HKEY_USERS, key, &created) != ERROR_SUCCESS) return false;
    key_.reset(created);
    return true;
}

bool Win32MarkerRegistry::SetValue(const char* name, uint32_t type, const void* data,
                                   uint32_t size) {
    return ::RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
           ERROR_SUCCESS;
}

void Win32MarkerRegistry::CloseKey() {
    key_.reset();
}
