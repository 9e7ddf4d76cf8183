// Whether the carried BIOS image may and should be flashed onto this machine.
#pragma once

#include <cstdint>
#include <string>

enum class UpdateDecision {
    ImageMissing,    // no image file was found in the working folder
    FamilyMismatch,  // the image belongs to another machine family
    InstalledNewer,  // the installed BIOS is newer than the image
    SameRevision,    // the image holds the installed revision
    ImageNewer,      // the image is newer: flash it
};

// Reads a revision text the way strtol(text, nullptr, 16) does, clamped to 32 bits.
int32_t ParseRevision(std::string revisionText);

// The first five characters of an upper-cased identity name the machine family.
std::string FamilyCode(const std::string& upperText);
// Characters 5 to 12 of an upper-cased identity: the hexadecimal revision.
std::string RevisionText(const std::string& upperText);
// ASCII upper-casing: the identities in use are plain ASCII.
std::string UpperCased(std::string text);

UpdateDecision DecideUpdate(std::string installedVersion, std::string foundImageName,
                            std::string imageName);
