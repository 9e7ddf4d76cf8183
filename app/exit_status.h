// The process exit status of every outcome, so that deployment tools can act on a run.
// Windows installer conventions are used where one fits; the rest are our own small numbers.
#pragma once

#include <cstdint>

enum class ExitStatus : uint32_t {
    CleanupDone = 0,           // clean-up mode ran
    FlashRan = 3010,           // ERROR_SUCCESS_REBOOT_REQUIRED: the flash utility ran to its end
    Declined = 1602,           // ERROR_INSTALL_USEREXIT: the user answered No
    AlreadyRunning = 1618,     // ERROR_INSTALL_ALREADY_RUNNING: another instance holds the mutex
    RefusedOffMains = 20,      // not on mains power (message 140)
    RefusedBattery = 21,       // battery charge outside 20..100 (message 136)
    RefusedPowerUnknown = 22,  // the power status could not be read (message 136)
    ComSecurityFailed = 23,    // process-wide COM security refused
    ImageMissing = 30,         // no image in the working folder: nothing flashed
    FamilyMismatch = 31,       // the image is not for this machine (or its BIOS could not be read)
    InstalledNewer = 32,       // the installed BIOS is newer: nothing flashed
    SameRevision = 33,         // the installed BIOS is the image's revision: nothing flashed
    PayloadMismatch = 34,      // the working folder did not hold our payloads: nothing flashed
    FileError = 40,            // a payload or the image could not be written
    WorkerNotStarted = 41,     // the worker thread could not be started
    WindowNotCreated = 42,     // the splash window could not be created
    FlashNotStarted = 43,      // the image was newer but the flash utility could not be started
};
