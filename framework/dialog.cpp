#include "framework/dialog.h"

#include <cstring>
#include <vector>

#include "framework/app.h"

namespace fw {
namespace {

// The template is shown by the window's own placement, never by the dialog manager, so a run
// that ends before its window is placed never flashes a window on the screen.
std::vector<DWORD> TemplateWithoutVisibleStyle(HINSTANCE instance, UINT templateId) {
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (found == nullptr) return {};
    HGLOBAL loaded = ::LoadResource(instance, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    const DWORD size = ::SizeofResource(instance, found);
    if (bytes == nullptr || size < sizeof(DLGTEMPLATE)) return {};
    std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(copy.data(), bytes, size);
    auto* words = reinterpret_cast<WORD*>(copy.data());
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const std::size_t styleOffset = extended ? 12 : 0;  // DLGTEMPLATEEX: ver, sig, helpID, exStyle
    DWORD style = 0;
    std::memcpy(&style, reinterpret_cast<char*>(copy.data()) + styleOffset, sizeof(style));
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(reinterpret_cast<char*>(copy.data()) + styleOffset, &style, sizeof(style));
    return copy;
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    const std::vector<DWORD> dialogTemplate = TemplateWithoutVisibleStyle(instance, templateId_);
    if (dialogTemplate.empty()) return -1;
    HWND window = ::CreateDialogIndirectParamA(
        instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), parent_,
        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (window == nullptr) return -1;

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    return IDOK;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->m_hWnd = window;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->dialogProc_ = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CDialog::SubclassProc)));
    try {
        return self->OnInitDialog();
    } catch (const CFileException& error) {
        self->OnFileError(error);
        return FALSE;
    }
}

LRESULT CALLBACK CDialog::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->dialogProc_ == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window goes; the object may outlive it.
        WNDPROC original = self->dialogProc_;
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        return ::CallWindowProcA(original, window, message, wParam, lParam);
    }
    // Exceptions must not cross the platform's frames: a file error ends here, reported.
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (const CFileException& error) {
        self->OnFileError(error);
        return 0;
    }
}

LRESULT CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG saved = current_;
    current_ = MSG{m_hWnd, message, wParam, lParam, 0, {}};
    struct Restore {
        MSG& target;
        MSG value;
        ~Restore() { target = value; }
    } restore{current_, saved};
    return WindowProc(message, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return m_hWnd != nullptr && ::IsDialogMessageA(m_hWnd, msg);
}

bool CDialog::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

void CDialog::OnFileError(const CFileException& error) {
    const CWinApp* app = CWinApp::Current();
    const std::string caption = app != nullptr ? app->m_strAppName : std::string();
    ::MessageBoxA(m_hWnd, error.Describe().c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return ::CallWindowProcA(dialogProc_, m_hWnd, message, wParam, lParam);
}

LRESULT CDialog::Default() {
    return ::CallWindowProcA(dialogProc_, m_hWnd, current_.message, current_.wParam,
                             current_.lParam);
}

void CDialog::CenterWindow() {
    RECT window{};
    RECT work{};
    if (!::GetWindowRect(m_hWnd, &window) ||
        !::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        return;
    }
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG x = work.left + (work.right - work.left - width) / 2;
    LONG y = work.top + (work.bottom - work.top - height) / 2;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace fw
