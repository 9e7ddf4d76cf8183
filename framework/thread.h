// A worker thread object that runs InitInstance on its own thread and, with m_bAutoDelete on,
// deletes itself when the thread ends.
#pragma once

#include <windows.h>

#include "framework/scoped_handle.h"

namespace fw {

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread; flags 0 runs it at once. FALSE when the platform refused.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0,
                      LPSECURITY_ATTRIBUTES security = nullptr);

    // The thread's start; FALSE ends the thread without a message loop.
    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

    BOOL m_bAutoDelete = TRUE;
    DWORD m_nThreadID = 0;

protected:
    HANDLE ThreadHandle() const { return m_hThread.get(); }

private:
    static DWORD WINAPI ThreadMain(void* self);

    ScopedHandle m_hThread;
};

}  // namespace fw
