// Text of a Win32 error code, as the platform words it.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The platform's message for `code` in the thread's ANSI code page, without a trailing line end.
std::string ErrorText(DWORD code);

}  // namespace fw
