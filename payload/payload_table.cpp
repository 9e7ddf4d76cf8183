#include "payload/payload_table.h"

const std::array<PayloadRow, 10> kPayloadTable = {{
    {165, kFlashUtilityFileName},
    {154, "mfc42.dll"},
    {156, "msvcp60.dll"},
    {157, "msvcrt.dll"},
    {158, "PHLASH.INI"},
    {160, "PhlashLc.dll"},
    {159, "Phlash9X.vxd"},
    {161, "PhlashNT.sys"},
    {kHelpIndexPayloadId, nullptr},
    {kImagePayloadId, kImageFileName},
}};

// The deployed files, two names the flash utility may leave behind (a help index and a text
// file) that we never write, and the image last.
const std::array<const char*, 11> kCleanupList = {{
    kFlashUtilityFileName,
    "mfc42.dll",
    "msvcp60.dll",
    "msvcrt.dll",
    "PHLASH.INI",
    "PhlashLc.dll",
    "Phlash9X.vxd",
    "PhlashNT.sys",
    "WINPHLASH.GID",
    "PHLASH.txt",
    kImageFileName,
}};
