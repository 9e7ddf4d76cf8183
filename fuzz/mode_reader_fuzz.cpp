// The start-up mode reader against the C library's sscanf("%d").
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/startup_rules.h"

namespace {

// Whether sscanf's reading of `text` is defined: the digits after the sign fit in an int.
bool NumberFitsInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // The argument text is a C string: it ends at its first NUL.
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();
    if (!NumberFitsInt(text)) return 0;
    int value = 0;
    const bool cleanup = std::sscanf(text.c_str(), "%d", &value) == 1 && value == 1;
    const bool ours = ReadStartupMode(text) == StartupMode::Cleanup;
    if (cleanup != ours) std::abort();
    return 0;
}
