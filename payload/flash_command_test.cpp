#include "payload/flash_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BuildFlashLaunch, QuotedUtilityInTheWorkingFolder) {
    const FlashLaunch launch = BuildFlashLaunch("C:\\Program Files\\BIOSUPDATE", "zkrbtf11.imc");
    EXPECT_EQ(launch.applicationName, "C:\\Program Files\\BIOSUPDATE\\SWinFlash.exe");
    EXPECT_EQ(launch.commandLine,
              "\"C:\\Program Files\\BIOSUPDATE\\SWinFlash.exe\" /BU=BIOS.bak /C /MFG /P /S /V "
              "/mode=2 ZKRBTF11.IMC");
    EXPECT_EQ(launch.workingDirectory, "C:\\Program Files\\BIOSUPDATE");
}

TEST(BuildFlashLaunch, LongFolderIsNeverCut) {
    const std::string folder = "D:\\" + std::string(297, 'f');
    ASSERT_EQ(folder.size(), 300u);
    const FlashLaunch launch = BuildFlashLaunch(folder, "ZKRBTF11.IMC");
    EXPECT_EQ(launch.applicationName, folder + "\\SWinFlash.exe");
    EXPECT_EQ(launch.commandLine, "\"" + folder +
                                      "\\SWinFlash.exe\" /BU=BIOS.bak /C /MFG /P /S /V /mode=2 "
                                      "ZKRBTF11.IMC");
    EXPECT_EQ(launch.workingDirectory, folder);
}

}  // namespace
