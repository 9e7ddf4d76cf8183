// Conversions between the UTF-8 texts built into the program and the ANSI code page.
#pragma once

#include <string>

// UTF-8 to the system's ANSI code page (949 on a Korean system); characters it lacks become "?".
std::string Utf8ToAnsi(const std::string& utf8);
