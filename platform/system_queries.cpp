#include "platform/system_queries.h"

#include <shlobj.h>
#include <windows.h>

#include "payload/work_paths.h"

std::optional<std::string> WorkFolder() {
    char programFiles[MAX_PATH] = {};
    const HRESULT hr =
        ::SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, programFiles);
    programFiles[MAX_PATH - 1] = '\0';
    return WorkFolderPath(SUCCEEDED(hr), programFiles);
}

PowerReading ReadPowerStatus() {
    SYSTEM_POWER_STATUS status{};
    const bool read = ::GetSystemPowerStatus(&status) != FALSE;
    return PowerReading{read, status.ACLineStatus, status.BatteryLifePercent};
}

bool IsKoreanSystem() {
    return ::GetSystemDefaultLCID() == 0x412;
}
