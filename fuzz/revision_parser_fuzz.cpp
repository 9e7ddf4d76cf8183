// ParseRevision against strtol(text, nullptr, 16) clamped to 32 bits.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/version_decision.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();
    // A revision text is at most eight characters; longer ones still must not differ while the
    // reference does not overflow its own long.
    if (text.size() > 15) text.resize(15);
    long reference = std::strtol(text.c_str(), nullptr, 16);
    if (reference > INT32_MAX) reference = INT32_MAX;
    if (reference < INT32_MIN) reference = INT32_MIN;
    if (ParseRevision(text) != static_cast<int32_t>(reference)) std::abort();
    return 0;
}
