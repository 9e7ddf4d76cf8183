// The start tick's update preparation, as an operation of the splash window: runs on the
// window's thread, fills the fields the worker reads, writes the image and starts the worker.
#include <windows.h>

#include <memory>

#include "framework/file.h"
#include "payload/payload_table.h"
#include "payload/payloads.h"
#include "payload/work_paths.h"
#include "platform/system_queries.h"
#include "platform/wmi_queries.h"
#include "ui/bios_update_dlg.h"
#include "update/hw_driver_download_thread.h"
#include "update/preparation_procedure.h"

namespace {

class Win32PreparationEffects : public PreparationEffects {
public:
    explicit Win32PreparationEffects(CBiosUpdateDlg& window) : window_(window) {}

    bool ConnectWmi() override { return window_.ConnectWmi(); }
    bool GetFirstBiosInstance() override {
        return window_.GetFirstInstance(L"Win32_BIOS", window_.m_pWbemEnum, window_.m_pWbemObject);
    }
    bool GetBiosVersionValue() override {
        return window_.GetPropertyValue(L"SMBIOSBIOSVersion", window_.m_pWbemObject.Get(),
                                        window_.m_varValue.get());
    }
    std::string BiosVersionValueText() override {
        return UpperPropertyText(window_.m_varValue.get());
    }
    void ReleaseBiosQuery() override {
        window_.m_pWbemObject.Reset();
        window_.m_pWbemEnum.Reset();
    }
    void SetBiosVersion(const std::string& version) override { window_.m_strBiosVersion = version; }
    void SetImageName(const std::string& name) override { window_.m_strImageName = name; }
    std::optional<std::string> WorkFolder() override { return ::WorkFolder(); }
    void CreateFolder(const std::string& folder) override {
        if (FitsAnsiPath(folder)) ::CreateDirectoryA(folder.c_str(), nullptr);
    }
    void DeleteOldImage(const std::string& path) override { DeletePath(path); }
    void ExtractPayload(uint16_t id, const std::string& path) override {
        ::ExtractPayload(id, path);
    }
    void RaiseNoWorkFolder(const std::string& imageName) override {
        throw fw::CFileException(ERROR_PATH_NOT_FOUND,
                                 FileInFolder(std::string("\\") + kWorkFolderName, imageName));
    }
    bool StartWorker() override {
        // The worker deletes itself once its thread has run; one that never started is ours.
        auto worker = std::make_unique<CHWDriverDownloadThread>(&window_);
        if (!worker->CreateThread(0, 0, nullptr)) return false;
        static_cast<void>(worker.release());
        return true;
    }
    void RemoveWorkFiles() override { window_.RemoveWorkFiles(); }
    void PostQuit() override { ::PostMessageA(window_.m_hWnd, WM_BIOSUPDATE_QUIT, 0, 0); }
    void SetOutcome(ExitStatus outcome) override { window_.SetRunOutcome(outcome); }

private:
    CBiosUpdateDlg& window_;
};

}  // namespace

void CBiosUpdateDlg::StartUpdate() {
    Win32PreparationEffects effects(*this);
    RunPreparation(effects);
}
