#include "payload/work_paths.h"

#include <gtest/gtest.h>

#include <string>

#include "payload/payload_table.h"

namespace {

TEST(WorkFolderPath, FailedOrEmptyQueryGivesNoFolder) {
    EXPECT_EQ(WorkFolderPath(false, "C:\\Program Files"), std::nullopt);
    EXPECT_EQ(WorkFolderPath(true, ""), std::nullopt);
    EXPECT_EQ(WorkFolderPath(false, ""), std::nullopt);
    EXPECT_EQ(WorkFolderPath(true, "C:\\Program Files"), "C:\\Program Files\\BIOSUPDATE");
}

// A Program Files path of exactly that many characters.
std::string ProgramFilesOfLength(std::size_t length) {
    std::string path = "C:\\";
    path.resize(length, 'p');
    return path;
}

TEST(WorkFolderPath, LongestProgramFilesWithWhichEveryPathFits) {
    const std::string folder = *WorkFolderPath(true, ProgramFilesOfLength(234));
    for (const char* name : kCleanupList) {
        EXPECT_TRUE(FitsAnsiPath(FileInFolder(folder, name))) << name;
    }
    EXPECT_TRUE(FitsAnsiPath(FileInFolder(folder, kBackupFileName)));
    EXPECT_TRUE(FitsAnsiPath(folder));
}

TEST(WorkFolderPath, OneCharacterMoreIsRefusedNotCut) {
    const std::string programFiles = ProgramFilesOfLength(235);
    const std::string folder = *WorkFolderPath(true, programFiles);
    EXPECT_EQ(folder, programFiles + "\\BIOSUPDATE");
    for (const char* name : {"SWinFlash.exe", "WINPHLASH.GID"}) {
        const std::string path = FileInFolder(folder, name);
        EXPECT_EQ(path.size(), 260u) << name;
        EXPECT_EQ(path, folder + "\\" + name);
        EXPECT_FALSE(FitsAnsiPath(path)) << name;
    }
    EXPECT_TRUE(FitsAnsiPath(FileInFolder(folder, "PHLASH.INI")));
}

}  // namespace
