#include "platform/wmi_queries.h"

#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/bios_update_dlg.h"

namespace {

// A VARIANT holding a BSTR copy of `text` (with its own length, so inner nulls stay).
class BstrVariant {
public:
    explicit BstrVariant(const std::wstring& text) {
        ::VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    ~BstrVariant() { ::VariantClear(&value); }
    VARIANT value;
};

TEST(UpperPropertyText, StringValuesBecomeUpperCasedNarrowText) {
    struct Case {
        std::wstring text;
        std::string expected;
    };
    const Case cases[] = {
        {L"zkrbtf10", "ZKRBTF10"},
        {L"ZKRBT f11-x.2_y", "ZKRBT F11-X.2_Y"},
        {L"", ""},
        {std::wstring(L"abc\0def", 7), "ABC"},  // up to the first null character
    };
    for (const Case& c : cases) {
        BstrVariant value(c.text);
        EXPECT_EQ(UpperPropertyText(value.value), c.expected);
    }
    VARIANT other;
    ::VariantInit(&other);
    EXPECT_EQ(UpperPropertyText(other), "");
    other.vt = VT_NULL;
    EXPECT_EQ(UpperPropertyText(other), "");
    other.vt = VT_BSTR;
    other.bstrVal = nullptr;
    EXPECT_EQ(UpperPropertyText(other), "");
    other.vt = VT_I4;
    other.lVal = 10;
    EXPECT_EQ(UpperPropertyText(other), "");
}

// In a double-byte code page a character's second byte may lie in a..z; it must stay as it is.
TEST(UpperPropertyText, KeepsDoubleByteCharactersOfTheThreadCodePage) {
    const LCID saved = ::GetThreadLocale();
    ASSERT_TRUE(::SetThreadLocale(MAKELCID(0x412, SORT_DEFAULT)));
    wchar_t hangul = 0;
    std::string bytes;
    for (wchar_t c = 0xAC00; c <= 0xD7A3 && hangul == 0; ++c) {
        char out[4] = {};
        if (::WideCharToMultiByte(949, 0, &c, 1, out, sizeof out, nullptr, nullptr) == 2 &&
            out[1] >= 'a' && out[1] <= 'z') {
            hangul = c;
            bytes.assign(out, 2);
        }
    }
    ASSERT_NE(hangul, 0);
    BstrVariant value(std::wstring(L"v") + hangul + L"x");
    EXPECT_EQ(UpperPropertyText(value.value), "V" + bytes + "X");
    ::SetThreadLocale(saved);
}

class WmiQueries : public ::testing::Test {
protected:
    void SetUp() override { ::CoInitialize(nullptr); }
    void TearDown() override { ::CoUninitialize(); }
};

TEST_F(WmiQueries, ReadTheBiosVersionAndFailCleanly) {
    CBiosUpdateDlg window;
    EXPECT_FALSE(window.GetFirstInstance(L"Win32_BIOS", window.m_pWbemEnum, window.m_pWbemObject));

    ASSERT_TRUE(window.ConnectWmi());
    ASSERT_TRUE(window.GetFirstInstance(L"Win32_BIOS", window.m_pWbemEnum, window.m_pWbemObject));
    EXPECT_TRUE(window.m_pWbemEnum);
    EXPECT_TRUE(window.GetPropertyValue(L"SMBIOSBIOSVersion", window.m_pWbemObject.Get(),
                                        window.m_varValue.get()));
    EXPECT_FALSE(window.GetPropertyValue(L"NoSuchProperty", window.m_pWbemObject.Get(),
                                         window.m_varValue.get()));
    EXPECT_EQ(window.m_varValue.get().vt, VT_EMPTY);
    EXPECT_FALSE(
        window.GetFirstInstance(L"Win32_NoSuchClass", window.m_pWbemEnum, window.m_pWbemObject));
}

TEST_F(WmiQueries, SecondConnectionReplacesTheFirst) {
    CBiosUpdateDlg window;
    ASSERT_TRUE(window.ConnectWmi());
    Microsoft::WRL::ComPtr<IWbemServices> first = window.m_pWbemServices;
    ASSERT_TRUE(window.ConnectWmi());
    ASSERT_TRUE(window.m_pWbemServices);
    EXPECT_NE(window.m_pWbemServices.Get(), first.Get());
    // The window let go of its reference: ours is the only one left.
    first->AddRef();
    EXPECT_EQ(first->Release(), 1u);
}

}  // namespace
