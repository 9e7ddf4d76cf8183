// The process entry: hands the one application object its module and argument text.
#include <windows.h>

#include "framework/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    fw::CWinApp* app = fw::CWinApp::Current();
    if (app == nullptr) return 1;
    return app->Run(instance, commandLine);
}
