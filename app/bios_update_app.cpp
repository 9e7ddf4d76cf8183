#include "app/bios_update_app.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlwapi.h>
#include <windows.h>

#include "app/startup_procedure.h"
#include "payload/payloads.h"
#include "platform/ansi_text.h"
#include "platform/load_message.h"
#include "platform/message_texts.h"
#include "platform/system_queries.h"
#include "ui/bios_update_dlg.h"

namespace {

constexpr char kInstanceMutexName[] = "The Program of BIOS update program";
constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "BIOSUpdate";
constexpr char kSettingsKey[] = "Local AppWizard-Generated Applications";

class Win32Startup : public StartupEffects {
public:
    explicit Win32Startup(CBiosUpdateApp& app) : app_(app) {}

    bool AnotherInstanceHoldsTheName() override {
        app_.m_hMutex.reset(::CreateMutexA(nullptr, FALSE, kInstanceMutexName));
        return ::GetLastError() == ERROR_ALREADY_EXISTS;
    }
    std::string ArgumentText() override { return app_.m_lpCmdLine; }
    void DeleteRunValue() override { ::SHDeleteValueA(HKEY_LOCAL_MACHINE, kRunKey, kRunValue); }
    void RemoveWorkFiles() override { app_.RemoveWorkFiles(); }
    PowerReading ReadPowerStatus() override { return ::ReadPowerStatus(); }
    void ShowPowerRefusal(uint16_t messageId) override {
        std::string text;
        LoadMessage(messageId, text);
        ::MessageBoxA(nullptr, text.c_str(), kRefusalCaption, MB_OK);
    }
    void InitializeCom() override { ::CoInitialize(nullptr); }
    bool SetComSecurity() override {
        const HRESULT hr =
            ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_SECURE_REFS, nullptr);
        return SUCCEEDED(hr);
    }
    bool IsKoreanSystem() override { return ::IsKoreanSystem(); }
    void ShowComSecurityFailure(const char* utf8Text) override {
        app_.MessageBoxWithAppName(Utf8ToAnsi(utf8Text));
    }
    ExitStatus RunSplashWindow() override {
        app_.SetRegistryKey(kSettingsKey);
        CBiosUpdateDlg dialog(nullptr);
        const INT_PTR result = dialog.DoModal();
        return result == -1 ? ExitStatus::WindowNotCreated : dialog.RunOutcome();
    }
    void ReleaseInstanceMutex() override { ::ReleaseMutex(app_.m_hMutex.get()); }

private:
    CBiosUpdateApp& app_;
};

}  // namespace

BOOL CBiosUpdateApp::InitInstance() {
    ::InitCommonControls();
    Win32Startup startup(*this);
    m_exitStatus = static_cast<uint32_t>(RunStartup(startup));
    return FALSE;
}

void CBiosUpdateApp::RemoveWorkFiles() {
    ::RemoveWorkFiles();
}

// The one application object.
CBiosUpdateApp theApp;
