// The splash window: the confirmation prompt, the full-screen topmost frame, the run's timers,
// and the state record shared with the worker.
#pragma once

#include <windows.h>

#include <wbemcli.h>
#include <wrl/client.h>

#include <atomic>
#include <optional>
#include <string>

#include "app/exit_status.h"
#include "framework/dialog.h"
#include "framework/scoped_handle.h"
#include "ui/status_handover.h"

// Private messages (both parameters 0) and timers of the window.
constexpr UINT WM_BIOSUPDATE_DONE = 0x806;  // from the worker: the procedure is over
constexpr UINT WM_BIOSUPDATE_QUIT = 0x807;  // end the modal loop
constexpr UINT_PTR IDT_BIOSUPDATE_START = 0x800;
constexpr UINT_PTR IDT_BIOSUPDATE_ANIMATE = 0x805;
constexpr UINT_PTR IDT_BIOSUPDATE_EXIT = 0xF5F;
constexpr UINT kStartDelayMs = 500;
constexpr UINT kAnimatePeriodMs = 100;
constexpr UINT kExitDelayMs = 3000;

// Owns a VARIANT and clears it when it goes.
class ScopedVariant {
public:
    ScopedVariant() { ::VariantInit(&value_); }
    ~ScopedVariant() { ::VariantClear(&value_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT& get() { return value_; }
    const VARIANT& get() const { return value_; }

private:
    VARIANT value_;
};

// While it lives, the system is asked to stay awake and a shutdown is held back with the reason
// shown to the user; the request and the reason go with it. On the window's thread only: the
// awake request belongs to the thread that made it.
class RunInProgressGuard {
public:
    RunInProgressGuard(HWND window, const std::string& reasonAnsi);
    ~RunInProgressGuard();
    RunInProgressGuard(const RunInProgressGuard&) = delete;
    RunInProgressGuard& operator=(const RunInProgressGuard&) = delete;

private:
    HWND window_;
    bool reasonGiven_;
};

class CBiosUpdateDlg : public fw::CDialog {
public:
    explicit CBiosUpdateDlg(HWND parent = nullptr);
    ~CBiosUpdateDlg() override;

    // How the run ended, for the process exit status. Written by the window's handlers and by
    // the worker before it posts its done message.
    ExitStatus RunOutcome() const { return m_runOutcome.load(); }
    void SetRunOutcome(ExitStatus outcome) { m_runOutcome.store(outcome); }

    // The window's own copy of the working-folder clean-up.
    void RemoveWorkFiles();

    // Update preparation: the installed BIOS version, the image, the worker.
    void StartUpdate();

    // WMI queries, on the window's thread only.
    bool ConnectWmi();
    bool GetFirstInstance(const wchar_t* className,
                          Microsoft::WRL::ComPtr<IEnumWbemClassObject>& enumerator,
                          Microsoft::WRL::ComPtr<IWbemClassObject>& object);
    bool GetPropertyValue(const wchar_t* propertyName, IWbemClassObject* object, VARIANT& value);

    // ---- The state record.
    std::string m_strBiosVersion;  // installed BIOS version, upper-cased; set before the worker
    StatusHandover m_strStatus;    // the status line; replaced by the worker, copied by the painter
    int m_nAnimStep = 0;           // 0..31, window thread only
    std::string m_strMessage;      // scratch text of the opening sequence
    std::string m_strImageName;    // the image's file name; set before the worker
    ScopedVariant m_varValue;      // the latest WMI property value
    Microsoft::WRL::ComPtr<IWbemServices> m_pWbemServices;
    Microsoft::WRL::ComPtr<IEnumWbemClassObject> m_pWbemEnum;
    Microsoft::WRL::ComPtr<IWbemClassObject> m_pWbemObject;
    HICON m_hIcon = nullptr;  // a shared resource icon: never destroyed

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnFileError(const fw::CFileException& error) override;

private:
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR id);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type);
    BOOL OnQueryEndSession();
    void PlaceFullScreen();
    void RequestFrame();
    void OnDone();
    // Ends the modal loop; the run is over, so the awake request and the shutdown reason go.
    void EndRun();

    fw::ScopedBrush m_blackBrush;                  // lives as long as the window may erase with it
    std::optional<RunInProgressGuard> m_runGuard;  // from the full-screen placement to the end
    std::atomic<ExitStatus> m_runOutcome{ExitStatus::Declined};
};
