// The files this system carries as payloads, and the names it removes from the working folder.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

struct PayloadRow {
    uint16_t id;             // resource id under kPayloadResourceType
    const char* targetName;  // file name in the working folder; nullptr: never written
};

// In table order; the first kDeployedRowCount rows are deployed in this order.
extern const std::array<PayloadRow, 10> kPayloadTable;
constexpr std::size_t kDeployedRowCount = 8;

// What the clean-up deletes, in this order, before it removes the folder itself.
extern const std::array<const char*, 11> kCleanupList;

constexpr uint16_t kImagePayloadId = 168;
constexpr uint16_t kHelpIndexPayloadId = 164;
inline constexpr char kImageFileName[] = "ZKRBTF11.IMC";
// The flash utility's backup of the old BIOS, named on its command line.
inline constexpr char kBackupFileName[] = "BIOS.bak";
inline constexpr char kFlashUtilityFileName[] = "SWinFlash.exe";
inline constexpr char kWorkFolderName[] = "BIOSUPDATE";
inline constexpr char kPayloadResourceType[] = "File";
