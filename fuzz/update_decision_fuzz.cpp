// DecideUpdate against its invariants: an empty found name is always ImageMissing, differing
// families are always FamilyMismatch, and letter case never changes the decision.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "update/version_decision.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Three texts, split at the first two NULs of the input.
    const std::string all(reinterpret_cast<const char*>(data), size);
    const std::size_t a = all.find('\0');
    const std::size_t b = a == std::string::npos ? std::string::npos : all.find('\0', a + 1);
    const std::string installed = all.substr(0, a);
    const std::string found =
        a == std::string::npos ? "ZKRBTF11.IMC" : all.substr(a + 1, b - a - 1);
    const std::string image = b == std::string::npos ? "ZKRBTF11.IMC" : all.substr(b + 1);

    const UpdateDecision decision = DecideUpdate(installed, found, image);
    if (found.empty() && decision != UpdateDecision::ImageMissing) std::abort();
    if (!found.empty() && Upper(installed).substr(0, 5) != Upper(found).substr(0, 5) &&
        decision != UpdateDecision::FamilyMismatch) {
        std::abort();
    }
    if (DecideUpdate(Lower(installed), Upper(found), Lower(image)) != decision) std::abort();
    if (DecideUpdate(Upper(installed), Lower(found), Upper(image)) != decision) std::abort();
    return 0;
}
