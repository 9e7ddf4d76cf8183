#include "payload/payloads.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/file.h"
#include "payload/payload_table.h"
#include "tests/win/temp_program_files.h"

namespace {

using testing_support::FolderEntries;
using testing_support::PathExists;
using testing_support::PayloadBytes;
using testing_support::ReadFileBytes;
using testing_support::TempProgramFiles;
using testing_support::WriteFileBytes;

void ExpectDeployedFilesEqualTheirPayloads(const TempProgramFiles& pf, const char* skip = nullptr) {
    for (std::size_t row = 0; row < kDeployedRowCount; ++row) {
        const PayloadRow& payload = kPayloadTable[row];
        if (skip != nullptr && std::string(skip) == payload.targetName) continue;
        EXPECT_EQ(ReadFileBytes(pf.WorkFile(payload.targetName)), PayloadBytes(payload.id))
            << payload.targetName;
    }
}

TEST(DeployPayloads, IntoAMissingFolderWritesTheEightFilesByteForByte) {
    TempProgramFiles pf;
    ASSERT_FALSE(PathExists(pf.WorkFolder()));
    DeployPayloads();
    ExpectDeployedFilesEqualTheirPayloads(pf);
    // Exactly the eight: the help index and the image are not deployment's.
    EXPECT_EQ(FolderEntries(pf.WorkFolder()).size(), kDeployedRowCount);
}

TEST(DeployPayloads, OverAnEarlierRunReplacesOurFilesAndLeavesTheRest) {
    TempProgramFiles pf;
    testing_support::CreateFolders(pf.WorkFolder());
    for (const char* name : kCleanupList) WriteFileBytes(pf.WorkFile(name), "old");
    WriteFileBytes(pf.WorkFile("BIOS.bak"), "old backup");
    WriteFileBytes(pf.WorkFile("notes.txt"), "unlisted");
    DeployPayloads();
    ExpectDeployedFilesEqualTheirPayloads(pf);
    EXPECT_FALSE(PathExists(pf.WorkFile("BIOS.bak")));
    EXPECT_EQ(ReadFileBytes(pf.WorkFile("notes.txt")), "unlisted");
    EXPECT_EQ(ReadFileBytes(pf.WorkFile("WINPHLASH.GID")), "old");
    EXPECT_EQ(ReadFileBytes(pf.WorkFile("ZKRBTF11.IMC")), "old");
}

TEST(DeployPayloads, ATargetThatCannotBeReplacedKeepsItsOldContent) {
    TempProgramFiles pf;
    testing_support::CreateFolders(pf.WorkFolder());
    WriteFileBytes(pf.WorkFile("PHLASH.INI"), "[Main]\r\nmine\r\n");
    ::SetFileAttributesA(pf.WorkFile("PHLASH.INI").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(::CreateDirectoryA(pf.WorkFile("SWinFlash.exe").c_str(), nullptr));

    DeployPayloads();

    EXPECT_EQ(ReadFileBytes(pf.WorkFile("PHLASH.INI")), "[Main]\r\nmine\r\n");
    const DWORD attributes = ::GetFileAttributesA(pf.WorkFile("SWinFlash.exe").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the folder named like the utility must stay a folder";
    for (std::size_t row = 0; row < kDeployedRowCount; ++row) {
        const std::string name = kPayloadTable[row].targetName;
        if (name == "PHLASH.INI" || name == "SWinFlash.exe") continue;
        EXPECT_EQ(ReadFileBytes(pf.WorkFile(name)), PayloadBytes(kPayloadTable[row].id)) << name;
    }
}

TEST(ExtractPayload, MissingPayloadWritesNothingAndAnOpenTargetIsAFileError) {
    TempProgramFiles pf;
    testing_support::CreateFolders(pf.WorkFolder());
    ExtractPayload(4321, pf.WorkFile("none.bin"));
    EXPECT_FALSE(PathExists(pf.WorkFile("none.bin")));

    // A target held open without sharing cannot be deleted: its content stays, nothing raised.
    const std::string held = pf.WorkFile("PhlashNT.sys");
    WriteFileBytes(held, "held");
    HANDLE h = ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(ExtractPayload(161, held));
    ::CloseHandle(h);
    EXPECT_EQ(ReadFileBytes(held), "held");
}

TEST(RemoveWorkFiles, RemovesTheListAndTheFolderOnlyWhenNothingElseIsLeft) {
    struct Case {
        const char* extra;  // a file beside the listed ones, or nullptr
        bool folderStays;
    } cases[] = {{nullptr, false}, {"BIOS.bak", true}, {"notes.txt", true}};
    for (const Case& c : cases) {
        TempProgramFiles pf;
        testing_support::CreateFolders(pf.WorkFolder());
        for (const char* name : kCleanupList) WriteFileBytes(pf.WorkFile(name), "x");
        if (c.extra != nullptr) WriteFileBytes(pf.WorkFile(c.extra), "x");
        RemoveWorkFiles();
        for (const char* name : kCleanupList) EXPECT_FALSE(PathExists(pf.WorkFile(name))) << name;
        EXPECT_EQ(PathExists(pf.WorkFolder()), c.folderStays) << (c.extra ? c.extra : "none");
        if (c.extra != nullptr) {
            EXPECT_TRUE(PathExists(pf.WorkFile(c.extra)));
        }
    }
}

TEST(RemoveWorkFiles, WithoutAFolderDoesNothing) {
    TempProgramFiles pf;
    RemoveWorkFiles();
    EXPECT_FALSE(PathExists(pf.WorkFolder()));
}

TEST(WorkFolder, TheLongestProgramFilesPathThatFitsWorksAndOneMoreIsRefusedWhole) {
    {
        TempProgramFiles pf(234);
        ASSERT_EQ(pf.path().size(), 234u);
        DeployPayloads();
        ExpectDeployedFilesEqualTheirPayloads(pf);
        WriteFileBytes(pf.WorkFile("WINPHLASH.GID"), "x");  // 259 characters: still fits
        RemoveWorkFiles();
        EXPECT_FALSE(PathExists(pf.WorkFolder()));
    }
    {
        TempProgramFiles pf(235);
        ASSERT_EQ(pf.path().size(), 235u);
        try {
            DeployPayloads();
            ADD_FAILURE() << "a 260-character path was written";
        } catch (const fw::CFileException& error) {
            EXPECT_EQ(error.m_cause, static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
            EXPECT_EQ(error.m_strFileName, pf.WorkFile("SWinFlash.exe")) << "the path, whole";
        }
        // Nothing under a cut name: the folder holds nothing at all.
        EXPECT_TRUE(FolderEntries(pf.WorkFolder()).empty());
        RemoveWorkFiles();
        EXPECT_FALSE(PathExists(pf.WorkFolder()));
    }
}

TEST(WorkFolder, AFailedProgramFilesQueryAddressesNoFolderAtAll) {
    TempProgramFiles pf;
    pf.PointAtMissingFolder();
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    const std::string rootOfDrive = std::string(current, 2) + "\\BIOSUPDATE";
    testing_support::CreateFolders(rootOfDrive);
    WriteFileBytes(rootOfDrive + "\\PHLASH.INI", "not ours to delete");

    RemoveWorkFiles();
    EXPECT_EQ(ReadFileBytes(rootOfDrive + "\\PHLASH.INI"), "not ours to delete");
    EXPECT_THROW(DeployPayloads(), fw::CFileException);
    EXPECT_EQ(FolderEntries(rootOfDrive).size(), 1u) << "nothing deployed at the root of the drive";
    testing_support::RemoveTree(rootOfDrive);
}

}  // namespace
