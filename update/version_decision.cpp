#include "update/version_decision.h"

#include <cstddef>

namespace {

constexpr std::size_t kFamilyLength = 5;
constexpr std::size_t kRevisionLength = 8;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int32_t ParseRevision(std::string revisionText) {
    const char* p = revisionText.c_str();
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // strtol skips "0x" only when a hex digit follows; otherwise the "0" alone is the number.
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigit(p[2]) >= 0) p += 2;

    constexpr uint64_t kPositiveLimit = 0x7FFFFFFFull;
    constexpr uint64_t kNegativeLimit = 0x80000000ull;
    uint64_t magnitude = 0;
    bool overflow = false;
    for (int digit = HexDigit(*p); digit >= 0; digit = HexDigit(*++p)) {
        if (!overflow) {
            magnitude = magnitude * 16 + static_cast<uint64_t>(digit);
            if (magnitude > kNegativeLimit) overflow = true;
        }
    }
    if (negative) {
        if (overflow || magnitude >= kNegativeLimit) return INT32_MIN;
        return -static_cast<int32_t>(magnitude);
    }
    if (overflow || magnitude > kPositiveLimit) return INT32_MAX;
    return static_cast<int32_t>(magnitude);
}

std::string UpperCased(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string FamilyCode(const std::string& upperText) {
    return upperText.substr(0, kFamilyLength);
}

std::string RevisionText(const std::string& upperText) {
    if (upperText.size() <= kFamilyLength) return std::string();
    return upperText.substr(kFamilyLength, kRevisionLength);
}

UpdateDecision DecideUpdate(std::string installedVersion, std::string foundImageName,
                            std::string imageName) {
    if (foundImageName.empty()) return UpdateDecision::ImageMissing;
    const std::string installed = UpperCased(std::move(installedVersion));
    const std::string found = UpperCased(std::move(foundImageName));
    const std::string image = UpperCased(std::move(imageName));

    if (FamilyCode(installed) != FamilyCode(found)) return UpdateDecision::FamilyMismatch;

    const int32_t installedRevision = ParseRevision(RevisionText(installed));
    const int32_t imageRevision = ParseRevision(RevisionText(image));
    if (installedRevision > imageRevision) return UpdateDecision::InstalledNewer;
    if (installedRevision == imageRevision) return UpdateDecision::SameRevision;
    return UpdateDecision::ImageNewer;
}
