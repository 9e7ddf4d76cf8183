// The plain platform questions: where the working folder lies, the power status, the locale.
#pragma once

#include <optional>
#include <string>

#include "app/startup_rules.h"

// The Program Files folder followed by "\BIOSUPDATE", asked of the platform at every call;
// nothing when the platform cannot say where Program Files is.
std::optional<std::string> WorkFolder();

// The mains and battery bytes, and whether the platform could read them at all.
PowerReading ReadPowerStatus();

// GetSystemDefaultLCID() is Korean (0x412).
bool IsKoreanSystem();
