#include "ui/bios_update_dlg.h"

#include "framework/dc.h"
#include "payload/payload_table.h"
#include "payload/payloads.h"
#include "payload/work_paths.h"
#include "platform/load_message.h"
#include "platform/system_queries.h"
#include "res/resource.h"
#include "ui/frame_painter.h"
#include "ui/frame_rules.h"

namespace {

constexpr uint16_t kTitleMessage = 129;
constexpr uint16_t kFlashingMessage = 137;  // also the reason given for holding a shutdown back
constexpr uint16_t kFirstStatusMessage = 138;
constexpr uint16_t kPromptMessage = 139;
constexpr char kPromptCaption[] = "BIOS update";
constexpr DWORD kOpeningPauseMs = 2000;

// The text as the thread's code page reads it, for the one wide-only platform call.
std::wstring AnsiToWide(const std::string& ansi) {
    const int length = static_cast<int>(ansi.size());
    const int units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, ansi.data(), length, wide.data(), units);
    return wide;
}

}  // namespace

RunInProgressGuard::RunInProgressGuard(HWND window, const std::string& reasonAnsi)
    : window_(window) {
    ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED);
    reasonGiven_ = ::ShutdownBlockReasonCreate(window_, AnsiToWide(reasonAnsi).c_str()) != FALSE;
}

RunInProgressGuard::~RunInProgressGuard() {
    if (reasonGiven_) ::ShutdownBlockReasonDestroy(window_);
    ::SetThreadExecutionState(ES_CONTINUOUS);
}

CBiosUpdateDlg::CBiosUpdateDlg(HWND parent)
    : fw::CDialog(IDD_BIOSUPDATE_DIALOG, parent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_blackBrush(::CreateSolidBrush(RGB(0, 0, 0))) {}

// The guard must go while its window still exists; the base destroys the window after this.
CBiosUpdateDlg::~CBiosUpdateDlg() {
    m_runGuard.reset();
}

void CBiosUpdateDlg::RemoveWorkFiles() {
    ::RemoveWorkFiles();
}

BOOL CBiosUpdateDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // No taskbar button; the style alone changes, no frame change is asked for.
    const LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);

    LoadMessage(kTitleMessage, m_strMessage);
    ::SetWindowTextA(m_hWnd, m_strMessage.c_str());

    // The window is still hidden: the prompt is all the user sees. Only an explicit No declines;
    // a box that could not be shown goes on as Yes.
    LoadMessage(kPromptMessage, m_strMessage);
    if (::MessageBoxA(m_hWnd, m_strMessage.c_str(), kPromptCaption, MB_YESNO) == IDNO) {
        SetRunOutcome(ExitStatus::Declined);
        RemoveWorkFiles();
        ::PostMessageA(m_hWnd, WM_BIOSUPDATE_QUIT, 0, 0);
        return FALSE;
    }

    // A file error leaves here for OnFileError, before the window is ever placed.
    DeployPayloads();
    PlaceFullScreen();
    {
        std::string reason;
        LoadMessage(kFlashingMessage, reason);
        m_runGuard.emplace(m_hWnd, reason);
    }
    CenterWindow();
    LoadMessage(kFirstStatusMessage, m_strMessage);
    // Nothing is dispatched meanwhile: the first frame follows only after this handler returns.
    ::Sleep(kOpeningPauseMs);
    m_strStatus.Replace(m_strMessage);
    RequestFrame();
    ::SetTimer(m_hWnd, IDT_BIOSUPDATE_START, kStartDelayMs, nullptr);
    return TRUE;
}

void CBiosUpdateDlg::OnTimer(UINT_PTR id) {
    switch (id) {
        case IDT_BIOSUPDATE_START:
            // The animation is armed first, so it runs while the preparation takes its time.
            ::SetTimer(m_hWnd, IDT_BIOSUPDATE_ANIMATE, kAnimatePeriodMs, nullptr);
            ::KillTimer(m_hWnd, IDT_BIOSUPDATE_START);
            StartUpdate();
            break;
        case IDT_BIOSUPDATE_ANIMATE:
            m_nAnimStep = NextAnimStep(m_nAnimStep);
            // Re-asserted every tick: a new screen size or another topmost window is covered
            // again within one tick.
            PlaceFullScreen();
            RequestFrame();
            break;
        case IDT_BIOSUPDATE_EXIT:
            RemoveWorkFiles();
            ::KillTimer(m_hWnd, IDT_BIOSUPDATE_EXIT);
            ::PostMessageA(m_hWnd, WM_BIOSUPDATE_QUIT, 0, 0);
            break;
        default:
            break;
    }
    Default();
}

LRESULT CBiosUpdateDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_BIOSUPDATE_DONE:
            OnDone();
            break;
        case WM_BIOSUPDATE_QUIT:
            EndRun();
            break;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMQUERYSUSPEND || wParam == PBT_APMSUSPEND) {
                return BROADCAST_QUERY_DENY;
            }
            break;
        case WM_CLOSE:
            // Refused, whoever asks: the window stays and the run goes on.
            RemoveWorkFiles();
            return 0;
        case WM_DESTROY:
            m_runGuard.reset();
            break;
        default:
            break;
    }
    return fw::CDialog::WindowProc(message, wParam, lParam);
}

void CBiosUpdateDlg::OnDone() {
    // Without a usable working folder there is nothing to clean: only the loop ends.
    const std::optional<std::string> folder = WorkFolder();
    if (folder) {
        if (FitsAnsiPath(*folder)) ::CreateDirectoryA(folder->c_str(), nullptr);
        const std::string backup = FileInFolder(*folder, kBackupFileName);
        RemoveWorkFiles();
        // After the clean-up, so a backup that was there keeps the folder.
        DeletePath(backup);
    }
    EndRun();
}

void CBiosUpdateDlg::EndRun() {
    ::PostQuitMessage(0);
    m_runGuard.reset();
}

BOOL CBiosUpdateDlg::PreTranslateMessage(MSG* msg) {
    // Key presses never reach the dialog's keyboard handling: Enter, Escape and Tab do nothing.
    if (msg->message == WM_KEYDOWN) return FALSE;
    return fw::CDialog::PreTranslateMessage(msg);
}

bool CBiosUpdateDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            *result = 0;
            return true;
        case WM_QUERYDRAGICON:
            *result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
            return true;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            *result = 0;
            return true;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            *result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                           reinterpret_cast<HWND>(lParam),
                                                           message - WM_CTLCOLORMSGBOX));
            return true;
        case WM_QUERYENDSESSION:
            *result = OnQueryEndSession();
            return true;
        default:
            return fw::CDialog::OnWndMsg(message, wParam, lParam, result);
    }
}

void CBiosUpdateDlg::OnFileError(const fw::CFileException& error) {
    // The run cannot go on and none of its usual ends can come: say why, then end it as declined.
    SetRunOutcome(ExitStatus::FileError);
    fw::CDialog::OnFileError(error);
    RemoveWorkFiles();
    ::PostMessageA(m_hWnd, WM_BIOSUPDATE_QUIT, 0, 0);
}

void CBiosUpdateDlg::OnPaint() {
    if (::IsIconic(m_hWnd)) {
        fw::PaintDc dc(m_hWnd);
        ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        RECT client{};
        ::GetClientRect(m_hWnd, &client);
        const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.get(), x, y, m_hIcon);
        return;
    }
    // Validates the update region; the background is erased with the black brush when asked.
    { fw::PaintDc validate(m_hWnd); }
    // The whole client area, not only the update region: the frame is copied in one piece.
    fw::ClientDc dc(m_hWnd);
    if (!dc) return;
    FrameInputs inputs;
    inputs.animStep = m_nAnimStep;
    inputs.status = m_strStatus.Copy();
    inputs.korean = IsKoreanSystem();
    inputs.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    inputs.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    PaintFrame(dc.get(), inputs);
}

HCURSOR CBiosUpdateDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

HBRUSH CBiosUpdateDlg::OnCtlColor(HDC dc, HWND, UINT) {
    ::SetBkColor(dc, RGB(0, 0, 0));
    return m_blackBrush.get();
}

BOOL CBiosUpdateDlg::OnQueryEndSession() {
    Default();
    return FALSE;
}

void CBiosUpdateDlg::PlaceFullScreen() {
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                   ::GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW);
}

void CBiosUpdateDlg::RequestFrame() {
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}
