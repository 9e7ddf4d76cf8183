// A modal dialog: the window procedure is ours from WM_INITDIALOG on, so WindowProc sees every
// message ahead of the message map (OnWndMsg) and of the dialog's own default procedure, and the
// modal loop asks PreTranslateMessage before it dispatches. The loop ends on WM_QUIT only.
#pragma once

#include <windows.h>

#include <string>

#include "framework/file.h"

namespace fw {

class CDialog {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the window from its template, runs the modal loop until WM_QUIT, destroys the
    // window. -1 when the window could not be created.
    INT_PTR DoModal();

    HWND m_hWnd = nullptr;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // Every message of the window; the base gives it to the default processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // FALSE lets the loop translate and dispatch the message; the base does dialog keyboard
    // handling.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The message map: a derived class routes its messages to typed handlers here and returns
    // true with the handler's result; false leaves the message to the dialog's procedure.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A file error that no handler caught: shown with a stop icon, the cause and the file.
    virtual void OnFileError(const CFileException& error);

    // Default processing: the message map, then the dialog's own procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The dialog's own procedure for the message being handled now, past the message map: what a
    // handler calls to add to the platform's processing rather than replace it.
    LRESULT Default();

    // Centres the window on the work area of the screen, kept inside it.
    void CenterWindow();

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    WNDPROC dialogProc_ = nullptr;
    MSG current_{};
};

}  // namespace fw
