// The update worker's procedure: from the start pause to the end of the run, written once
// against the effects it has, so that its timeline is checked with a virtual clock and the Win32
// side is a few lines per effect. Everything here runs on the worker's thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/exit_status.h"
#include "payload/flash_command.h"
#include "update/version_decision.h"

class WorkerEffects {
public:
    virtual ~WorkerEffects() = default;

    virtual void Sleep(uint32_t milliseconds) = 0;
    // Nothing when the platform cannot say where the working folder lies.
    virtual std::optional<std::string> WorkFolder() = 0;
    // The name of the first entry at `path` that is not "." or "..", as the file system stores
    // it; empty when there is none.
    virtual std::string FindImageFile(const std::string& path) = 0;
    // True when the message exists; otherwise `text` is left exactly as it was.
    virtual bool LoadMessage(uint16_t id, std::string& text) = 0;
    // Hands the status line to the window's painter, then asks for a frame.
    virtual void ReplaceStatus(const std::string& text) = 0;
    virtual void Repaint() = 0;
    // The window's fields, written before this thread started.
    virtual std::string InstalledVersion() = 0;
    virtual std::string ImageName() = 0;
    // The eight deployed files and the image in `folder` hold exactly this system's payloads.
    // When they do, they stay held against change (read-only sharing) until ReleasePayloads, so
    // what was checked is what the utility flashes.
    virtual bool PayloadsIntact(const std::string& folder, const std::string& imageName) = 0;
    virtual void ReleasePayloads() = 0;
    // Starts the flash utility and waits for its end without a limit; false when it could not
    // be started. What the utility reports does not change the run.
    virtual bool RunAndWait(const FlashLaunch& launch) = 0;
    // Failures are not reported: the run goes on as after a successful write.
    virtual void WriteVersionMarker() = 0;
    // How the run ended, for the process exit status; set before the done message is posted.
    virtual void SetOutcome(ExitStatus outcome) = 0;
    virtual void ArmExitTimer() = 0;
    // The last request to the window: after it nothing of the window may be touched.
    virtual void PostDone() = 0;
};

// The pauses of the procedure, in milliseconds.
constexpr uint32_t kWorkerStartPauseMs = 1000;
constexpr uint32_t kCheckInPauseMs = 2000;
constexpr uint32_t kRefusalPauseMs = 3000;    // before the end of a run that is not this machine's
constexpr uint32_t kNotNeededPauseMs = 5000;  // before the end of a run whose BIOS is current
constexpr uint32_t kBeforeFlashPauseMs = 1000;

class WorkerProcedure {
public:
    // The thread's whole life: the start pause, then the update procedure.
    void RunThread(WorkerEffects& effects);
    // The update procedure; 0 in every case.
    int RunUpdate(WorkerEffects& effects);

    const std::string& FoundName() const { return m_strFoundName; }
    const std::string& BiosFamily() const { return m_strBiosFamily; }

private:
    void ShowStatus(WorkerEffects& effects, uint16_t id);
    // A run that flashes nothing: the marker, the reason, a pause to read it, then the end.
    void EndWithoutFlash(WorkerEffects& effects, uint16_t messageId, uint32_t pauseMs,
                         ExitStatus outcome);
    void FlashAndEnd(WorkerEffects& effects, const std::string& folder,
                     const std::string& imageName);

    std::string m_strFoundName;   // the image's name as found in the working folder
    std::string m_strBiosFamily;  // the installed BIOS's family code
    std::string m_strScratch;     // the latest status text fetched from the message table
};
