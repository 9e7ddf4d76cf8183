#include "payload/phlash_ini.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(PhlashIni, ExactBytes) {
    const std::string expected =
        "[UI]\r\n"
        "Advanced=1\r\n"
        ";DetectBitLocker=1\r\n"
        ";SaveEscdMode=1\r\n"
        ";SaveUefiVarVolMode=1\r\n"
        ";SaveSetupVarVolMode=1\r\n"
        "\r\n"
        "[Main]\r\n"
        "RetryCount=3\r\n"
        "UpdateMode=3\r\n"
        "FormatVersion=2\r\n"
        "UpdateFlags=802986\r\n"
        "UserFlags=802184\r\n"
        "UserMask=d121a4\r\n"
        "PSIFlags=20\r\n"
        "UserMode=ffffffff\r\n"
        "BackupFile=bios.bak\r\n"
        "ImageFile=ZKRBTF11.IMC\r\n"
        "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
        "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(PhlashIniText(), expected);
}

// The stand-in kit embeds a committed file; it must be this text, byte for byte.
TEST(PhlashIni, TheKitsFileIsThisText) {
    std::ifstream file(BIOSUPDATE_SOURCE_DIR "/kit/standin/PHLASH.INI", std::ios::binary);
    ASSERT_TRUE(file) << "kit/standin/PHLASH.INI not found";
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, PhlashIniText());
}

}  // namespace
