#include "payload/phlash_ini.h"

#include "payload/payload_table.h"

namespace {

constexpr const char* kLines[] = {
    "[UI]",
    "Advanced=1",
    ";DetectBitLocker=1",
    ";SaveEscdMode=1",
    ";SaveUefiVarVolMode=1",
    ";SaveSetupVarVolMode=1",
    "",
    "[Main]",
    "RetryCount=3",
    "UpdateMode=3",
    "FormatVersion=2",
    "UpdateFlags=802986",
    "UserFlags=802184",
    "UserMask=d121a4",
    "PSIFlags=20",
    "UserMode=ffffffff",
    "BackupFile=bios.bak",
};

constexpr int kTrailingEmptyLines = 16;

}  // namespace

std::string PhlashIniText() {
    std::string text;
    for (const char* line : kLines) text.append(line).append("\r\n");
    text.append("ImageFile=").append(kImageFileName).append("\r\n");
    for (int i = 0; i < kTrailingEmptyLines; ++i) text.append("\r\n");
    return text;
}
