#include "update/hw_driver_download_thread.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/scoped_handle.h"
#include "tests/win/temp_program_files.h"

namespace {

using testing_support::CreateFolders;
using testing_support::PathExists;
using testing_support::ReadFileBytes;
using testing_support::TempProgramFiles;
using testing_support::WriteFileBytes;

TEST(FindImageFile, GivesTheNameAsStored) {
    TempProgramFiles pf;
    CreateFolders(pf.WorkFolder());
    const std::string path = pf.WorkFile("ZKRBTF11.IMC");
    EXPECT_EQ(FindImageFile(path), "");
    WriteFileBytes(pf.WorkFile("zkrbtf11.imc"), "image");
    EXPECT_EQ(FindImageFile(path), "zkrbtf11.imc");
    ::DeleteFileA(pf.WorkFile("zkrbtf11.imc").c_str());
    // Any entry of that name is found, as the platform's search finds it.
    ::CreateDirectoryA(path.c_str(), nullptr);
    EXPECT_EQ(FindImageFile(path), "ZKRBTF11.IMC");
    EXPECT_EQ(FindImageFile(pf.WorkFile(std::string(300, 'x'))), "");
}

// The system's command interpreter, copied under the utility's name into a folder whose path
// holds a blank, stands in for the utility: what it writes shows where it ran and what it got.
class RunAndWaitTest : public ::testing::Test {
protected:
    void SetUp() override {
        CreateFolders(pf.WorkFolder());
        char system[MAX_PATH] = {};
        ::GetSystemDirectoryA(system, MAX_PATH);
        launch.applicationName = pf.WorkFile("SWinFlash.exe");
        ASSERT_TRUE(::CopyFileA((std::string(system) + "\\cmd.exe").c_str(),
                                launch.applicationName.c_str(), FALSE));
        launch.workingDirectory = pf.WorkFolder();
    }
    TempProgramFiles pf;
    FlashLaunch launch;
};

TEST_F(RunAndWaitTest, RunsInTheWorkingFolderAndWaitsForTheEnd) {
    ASSERT_NE(pf.WorkFolder().find(' '), std::string::npos);
    launch.commandLine = "\"" + launch.applicationName + "\" /c echo ran> ran.txt";
    EXPECT_TRUE(RunAndWait(launch));
    EXPECT_EQ(ReadFileBytes(pf.WorkFile("ran.txt")), "ran\r\n");
}

TEST_F(RunAndWaitTest, LongCommandLineArrivesWhole) {
    const std::string word(600, 'w');
    launch.commandLine = "\"" + launch.applicationName + "\" /c echo " + word + "> long.txt";
    EXPECT_TRUE(RunAndWait(launch));
    EXPECT_EQ(ReadFileBytes(pf.WorkFile("long.txt")), word + "\r\n");
}

TEST_F(RunAndWaitTest, MissingUtilityIsReportedAndNothingRuns) {
    launch.applicationName = pf.WorkFile("absent.exe");
    launch.commandLine = "\"" + launch.applicationName + "\" /c echo ran> ran.txt";
    EXPECT_FALSE(RunAndWait(launch));
    EXPECT_FALSE(PathExists(pf.WorkFile("ran.txt")));
}

TEST(VersionMarker, IsAStringOfTheFixedTextUnderTheDefaultUser) {
    ::RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\Tavren");
    for (int run = 0; run < 2; ++run) {  // created, then opened
        Win32MarkerRegistry registry;
        EXPECT_TRUE(WriteVersionMarker(registry)) << run;
    }
    HKEY raw = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_USERS, kMarkerKey, 0, KEY_QUERY_VALUE, &raw), ERROR_SUCCESS);
    fw::ScopedRegKey key(raw);
    char data[64] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    ASSERT_EQ(::RegQueryValueExA(key.get(), "Version", nullptr, &type,
                                 reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 15u);
    EXPECT_EQ(std::string(data, size), std::string("1.1509.0114.02\0", 15));
    key.reset();
    ::RegDeleteTreeA(HKEY_USERS, ".DEFAULT\\Software\\Tavren");
}

}  // namespace
