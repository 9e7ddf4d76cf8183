#include "framework/thread.h"

namespace fw {

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security) {
    // Created suspended so the handle is stored before the thread can end and delete this object.
    DWORD id = 0;
    HANDLE h = ::CreateThread(security, stackSize, &CWinThread::ThreadMain, this,
                              createFlags | CREATE_SUSPENDED, &id);
    if (h == nullptr) return FALSE;
    m_hThread.reset(h);
    m_nThreadID = id;
    if ((createFlags & CREATE_SUSPENDED) == 0) ::ResumeThread(h);
    return TRUE;
}

DWORD WINAPI CWinThread::ThreadMain(void* self) {
    CWinThread* thread = static_cast<CWinThread*>(self);
    // The worker has no message loop: whatever InitInstance says, the thread ends here.
    thread->InitInstance();
    const int status = thread->ExitInstance();
    if (thread->m_bAutoDelete) delete thread;
    return static_cast<DWORD>(status);
}

}  // namespace fw
