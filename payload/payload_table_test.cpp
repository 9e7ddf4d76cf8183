#include "payload/payload_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

std::string Lowered(const char* name) {
    std::string text(name);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Whatever deployment writes, the clean-up must delete first and in the same order; otherwise a
// run leaves a payload behind and the folder with it.
TEST(PayloadTable, CleanupBeginsWithTheDeployedFilesInOrder) {
    for (std::size_t i = 0; i < kDeployedRowCount; ++i) {
        ASSERT_NE(kPayloadTable[i].targetName, nullptr) << "row " << i;
        EXPECT_STREQ(kCleanupList[i], kPayloadTable[i].targetName) << "row " << i;
    }
    EXPECT_STREQ(kCleanupList.back(), kImageFileName);
}

TEST(PayloadTable, IdsAndNamesAreUnique) {
    std::set<uint16_t> ids;
    for (const PayloadRow& row : kPayloadTable) EXPECT_TRUE(ids.insert(row.id).second) << row.id;

    // File names on Windows are case-insensitive: two spellings would be one file.
    std::set<std::string> names;
    for (const char* name : kCleanupList) EXPECT_TRUE(names.insert(Lowered(name)).second) << name;
}

TEST(PayloadTable, ImageAndHelpIndexRows) {
    EXPECT_EQ(kPayloadTable[8].id, kHelpIndexPayloadId);
    EXPECT_EQ(kPayloadTable[8].targetName, nullptr);
    EXPECT_EQ(kPayloadTable[9].id, kImagePayloadId);
    EXPECT_STREQ(kPayloadTable[9].targetName, kImageFileName);
    // The backup is deleted on its own at the end of a run, never by the list.
    for (const char* name : kCleanupList) EXPECT_NE(Lowered(name), Lowered(kBackupFileName));
}

}  // namespace
