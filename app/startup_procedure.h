// The start-up sequence, written once against the effects it has on the system, so that every
// gate and its order is checked without the platform and the Win32 side stays a few lines each.
#pragma once

#include <cstdint>
#include <string>

#include "app/exit_status.h"
#include "app/startup_rules.h"

class StartupEffects {
public:
    virtual ~StartupEffects() = default;

    // Takes the single-instance name; true when another process holds it already.
    virtual bool AnotherInstanceHoldsTheName() = 0;
    virtual std::string ArgumentText() = 0;
    // Deletes the "BIOSUpdate" start-up entry of the machine's Run key; failures are ignored.
    virtual void DeleteRunValue() = 0;
    virtual void RemoveWorkFiles() = 0;
    virtual PowerReading ReadPowerStatus() = 0;
    // Message `messageId` of the table in a box captioned "BIOS Update", OK only, no owner.
    virtual void ShowPowerRefusal(uint16_t messageId) = 0;
    virtual void InitializeCom() = 0;
    // Process-wide COM security; false when the platform refused it.
    virtual bool SetComSecurity() = 0;
    virtual bool IsKoreanSystem() = 0;
    // `utf8Text` in the application's own box: its name as caption, exclamation icon, OK.
    virtual void ShowComSecurityFailure(const char* utf8Text) = 0;
    // Runs the splash window to its end and says how the run ended.
    virtual ExitStatus RunSplashWindow() = 0;
    // Lets go of the single-instance mutex after the window's run; the name stays taken until
    // the process ends.
    virtual void ReleaseInstanceMutex() = 0;
};

// The Korean text on a Korean system, the English one on every other.
const char* ComSecurityFailureText(bool koreanSystem);

ExitStatus RunStartup(StartupEffects& effects);
