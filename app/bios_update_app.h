// The application object: start-up gates, then the splash window's modal run.
#pragma once

#include "framework/app.h"
#include "framework/scoped_handle.h"

class CBiosUpdateApp : public fw::CWinApp {
public:
    BOOL InitInstance() override;

    // The application's own copy of the working-folder clean-up.
    void RemoveWorkFiles();

    // Kept open until the process ends, so the name stays taken for the whole run.
    fw::ScopedHandle m_hMutex;
};
