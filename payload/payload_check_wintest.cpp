#include "payload/payload_check.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/payload_table.h"
#include "payload/payloads.h"
#include "tests/win/temp_program_files.h"

namespace {

using testing_support::PayloadBytes;
using testing_support::TempProgramFiles;
using testing_support::WriteFileBytes;

TEST(DeployedFilesMatchPayloads, OnlyWhileEveryFileIsOurs) {
    struct Case {
        const char* name;
        void (*spoil)(const TempProgramFiles&);
        bool intact;
    };
    const Case cases[] = {
        {"as deployed", [](const TempProgramFiles&) {}, true},
        {"old settings file left",
         [](const TempProgramFiles& pf) {
             WriteFileBytes(pf.WorkFile("PHLASH.INI"), "[Main]\r\nUpdateMode=0\r\n");
         },
         false},
        {"image with one byte changed",
         [](const TempProgramFiles& pf) {
             std::string bytes = PayloadBytes(kImagePayloadId);
             bytes.back() = static_cast<char>(bytes.back() ^ 1);
             WriteFileBytes(pf.WorkFile(kImageFileName), bytes);
         },
         false},
        {"image one byte longer",
         [](const TempProgramFiles& pf) {
             WriteFileBytes(pf.WorkFile(kImageFileName), PayloadBytes(kImagePayloadId) + "x");
         },
         false},
        {"a folder in place of the utility",
         [](const TempProgramFiles& pf) {
             ::DeleteFileA(pf.WorkFile(kFlashUtilityFileName).c_str());
             ::CreateDirectoryA(pf.WorkFile(kFlashUtilityFileName).c_str(), nullptr);
         },
         false},
        {"a runtime library missing",
         [](const TempProgramFiles& pf) { ::DeleteFileA(pf.WorkFile("msvcrt.dll").c_str()); },
         false},
        {"no image",
         [](const TempProgramFiles& pf) { ::DeleteFileA(pf.WorkFile(kImageFileName).c_str()); },
         false},
    };
    for (const Case& c : cases) {
        TempProgramFiles pf;
        DeployPayloads();
        ExtractPayload(kImagePayloadId, pf.WorkFile(kImageFileName));
        c.spoil(pf);
        EXPECT_EQ(DeployedFilesMatchPayloads(pf.WorkFolder(), kImageFileName), c.intact) << c.name;
    }
}

TEST(FileMatchesPayload, ReadOnlyCopyOfOurBytesStillMatches) {
    TempProgramFiles pf;
    DeployPayloads();
    const std::string ini = pf.WorkFile("PHLASH.INI");
    ASSERT_TRUE(::SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(FileMatchesPayload(158, ini));
    EXPECT_FALSE(FileMatchesPayload(159, ini));  // another payload's bytes
    EXPECT_FALSE(FileMatchesPayload(1, ini));    // no such payload
}

}  // namespace

namespace {

// What was checked is what the utility reads: from the check until the handles go, the files
// can be read (and the utility started) but not rewritten, replaced or deleted.
TEST(HoldDeployedFilesMatchingPayloads, KeepsTheCheckedFilesFromChangingUntilReleased) {
    TempProgramFiles pf;
    DeployPayloads();
    ExtractPayload(kImagePayloadId, pf.WorkFile(kImageFileName));
    std::vector<fw::ScopedHandle> held;
    ASSERT_TRUE(HoldDeployedFilesMatchingPayloads(pf.WorkFolder(), kImageFileName, held));
    EXPECT_EQ(held.size(), kDeployedRowCount + 1);

    const std::string image = pf.WorkFile(kImageFileName);
    fw::ScopedHandle writer(::CreateFileA(image.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(writer.is_valid()) << "the image could be opened for writing while held";
    EXPECT_FALSE(::DeleteFileA(image.c_str())) << "the image could be deleted while held";
    fw::ScopedHandle reader(::CreateFileA(image.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(reader.is_valid()) << "the utility must still be able to read it";
    reader.reset();

    held.clear();
    EXPECT_TRUE(::DeleteFileA(image.c_str())) << "released, the clean-up can remove it";

    // A mismatch holds nothing.
    EXPECT_FALSE(HoldDeployedFilesMatchingPayloads(pf.WorkFolder(), kImageFileName, held));
    EXPECT_TRUE(held.empty());
}

}  // namespace
