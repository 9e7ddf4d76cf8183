// The start-up gates that are pure rules: which mode the command line selects, and whether the
// power status lets an update run begin.
#pragma once

#include <cstdint>
#include <string>

#include "app/exit_status.h"

enum class StartupMode { Cleanup, Update };

// Reads the argument text as a leading decimal integer, the way sscanf(text, "%d", &n) does:
// white space skipped, an optional sign, then digits up to the first non-digit. Only the
// integer 1 selects clean-up; no integer at all, or any other value, selects an update run.
// A number beyond the 32-bit range is not 1 whatever the C library would make of it (its
// overflow is undefined there), so it selects an update run.
StartupMode ReadStartupMode(const std::string& argumentText);

// The two bytes of the platform's power record that the gate reads; read is false when the
// platform could not report the power status at all.
struct PowerReading {
    bool read;
    uint8_t acLineStatus;        // 0 offline, 1 online, 255 unknown
    uint8_t batteryLifePercent;  // 0..100, 255 unknown
};

enum class PowerVerdict { Pass, RefuseOffMains, RefuseBattery, RefuseUnreadable };

// Off mains is refused whatever the battery says; on mains (or with no mains reading) the
// charge must lie within 20..100. An unreadable status is refused like a bad battery.
PowerVerdict PowerGate(const PowerReading& reading);

// The message shown for a refusal: 140 off mains, 136 otherwise. Pass is no refusal: 0.
uint16_t RefusalMessageId(PowerVerdict v);

// The exit status of a refusal. Pass is no refusal and gives 0; the run's own outcome sets
// the status later.
ExitStatus RefusalExitStatus(PowerVerdict v);
