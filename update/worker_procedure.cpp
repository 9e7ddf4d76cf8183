#include "update/worker_procedure.h"

#include "payload/payload_table.h"
#include "payload/work_paths.h"
#include "platform/message_texts.h"

void WorkerProcedure::RunThread(WorkerEffects& effects) {
    effects.Sleep(kWorkerStartPauseMs);
    RunUpdate(effects);
}

int WorkerProcedure::RunUpdate(WorkerEffects& effects) {
    const std::optional<std::string> folder = effects.WorkFolder();
    // Without a working folder there is no image to find: the run ends as for a missing image.
    m_strFoundName = folder ? effects.FindImageFile(FileInFolder(*folder, kImageFileName)) : "";
    if (m_strFoundName.empty()) {
        EndWithoutFlash(effects, msg::kCannotUpdate, kRefusalPauseMs, ExitStatus::ImageMissing);
        return 0;
    }

    effects.Sleep(kCheckInPauseMs);
    ShowStatus(effects, msg::kLoading);
    effects.Sleep(kCheckInPauseMs);
    ShowStatus(effects, msg::kVerifying);
    effects.Sleep(kCheckInPauseMs);

    const std::string installed = effects.InstalledVersion();
    const std::string imageName = effects.ImageName();
    const UpdateDecision decision = DecideUpdate(installed, m_strFoundName, imageName);
    m_strBiosFamily = FamilyCode(UpperCased(installed));

    switch (decision) {
        case UpdateDecision::ImageMissing:  // cannot follow a found name
            EndWithoutFlash(effects, msg::kCannotUpdate, kRefusalPauseMs, ExitStatus::ImageMissing);
            break;
        case UpdateDecision::FamilyMismatch:
            EndWithoutFlash(effects, msg::kCannotUpdate, kRefusalPauseMs,
                            ExitStatus::FamilyMismatch);
            break;
        case UpdateDecision::InstalledNewer:
            EndWithoutFlash(effects, msg::kInstalledNewer, kNotNeededPauseMs,
                            ExitStatus::InstalledNewer);
            break;
        case UpdateDecision::SameRevision:
            EndWithoutFlash(effects, msg::kSameVersion, kNotNeededPauseMs,
                            ExitStatus::SameRevision);
            break;
        case UpdateDecision::ImageNewer:
            // A deployed file whose old copy could not be replaced is not ours: never flash it.
            if (!effects.PayloadsIntact(*folder, imageName)) {
                effects.ReleasePayloads();
                EndWithoutFlash(effects, msg::kCannotUpdate, kRefusalPauseMs,
                                ExitStatus::PayloadMismatch);
            } else {
                FlashAndEnd(effects, *folder, imageName);
            }
            break;
    }
    return 0;
}

void WorkerProcedure::ShowStatus(WorkerEffects& effects, uint16_t id) {
    // A message without an entry leaves the scratch text, so the previous line shows again.
    effects.LoadMessage(id, m_strScratch);
    effects.ReplaceStatus(m_strScratch);
    effects.Repaint();
}

void WorkerProcedure::EndWithoutFlash(WorkerEffects& effects, uint16_t messageId, uint32_t pauseMs,
                                      ExitStatus outcome) {
    effects.WriteVersionMarker();
    ShowStatus(effects, messageId);
    effects.Sleep(pauseMs);
    effects.SetOutcome(outcome);
    // The timer first: it still ends the run should the window miss the done message.
    effects.ArmExitTimer();
    effects.PostDone();
}

void WorkerProcedure::FlashAndEnd(WorkerEffects& effects, const std::string& folder,
                                  const std::string& imageName) {
    ShowStatus(effects, msg::kChecking);
    effects.Sleep(kCheckInPauseMs);
    effects.Sleep(kCheckInPauseMs);
    ShowStatus(effects, msg::kUpdating);
    effects.Sleep(kBeforeFlashPauseMs);
    const bool started = effects.RunAndWait(BuildFlashLaunch(folder, imageName));
    effects.ReleasePayloads();
    effects.WriteVersionMarker();
    effects.SetOutcome(started ? ExitStatus::FlashRan : ExitStatus::FlashNotStarted);
    // No exit timer after a flash: the done message alone ends the run, and the status line
    // keeps "updating" until the window goes.
    effects.PostDone();
}
