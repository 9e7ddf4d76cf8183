// The update worker: a self-deleting thread that pauses, runs the update procedure against the
// splash window and ends. It touches the window only through the status hand-over and the
// platform's thread-safe requests (repaint, exit timer, done message).
#pragma once

#include <windows.h>

#include <string>

#include "framework/scoped_handle.h"
#include "framework/thread.h"
#include "payload/flash_command.h"
#include "update/version_marker.h"
#include "update/worker_procedure.h"

class CBiosUpdateDlg;

class CHWDriverDownloadThread : public fw::CWinThread {
public:
    // `owner` is not owned; it must outlive the done message that this worker posts.
    explicit CHWDriverDownloadThread(CBiosUpdateDlg* owner);
    ~CHWDriverDownloadThread() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    int RunUpdate();

    CBiosUpdateDlg* m_pDlg;

private:
    WorkerProcedure m_procedure;
};

// ---- The worker's platform effects that need no window (the tests use them directly).

// The first name at `path` that is not "." or "..", as the file system stores it; empty when
// nothing is there.
std::string FindImageFile(const std::string& path);

// Starts the utility named by the launch, with no window, no inherited handles, the caller's
// environment and the working folder as current directory, and waits for it without a limit.
// False when it could not be started.
bool RunAndWait(const FlashLaunch& launch);

// The marker key under HKEY_USERS.
class Win32MarkerRegistry : public MarkerRegistry {
public:
    bool OpenKey(const char* key) override;
    bool CreateKey(const char* key) override;
    bool SetValue(const char* name, uint32_t type, const void* data, uint32_t size) override;
    void CloseKey() override;

private:
    fw::ScopedRegKey key_;
};
