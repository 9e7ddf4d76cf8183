#include "update/preparation_procedure.h"

#include "payload/payload_table.h"
#include "payload/work_paths.h"

void RunPreparation(PreparationEffects& effects) {
    // A failed query leaves the version empty; the worker's decision then refuses the flash.
    if (effects.ConnectWmi()) {
        if (effects.GetFirstBiosInstance()) {
            effects.SetBiosVersion(std::string());
            if (effects.GetBiosVersionValue())
                effects.SetBiosVersion(effects.BiosVersionValueText());
        }
        effects.ReleaseBiosQuery();
    }

    effects.SetImageName(kImageFileName);

    const std::optional<std::string> folder = effects.WorkFolder();
    if (!folder) {
        // Never write the image at the root of the current drive.
        effects.RaiseNoWorkFolder(kImageFileName);
        return;
    }
    effects.CreateFolder(*folder);
    const std::string imagePath = FileInFolder(*folder, kImageFileName);
    effects.DeleteOldImage(imagePath);
    // A file error here ends the stage before any worker exists; the window reports it.
    effects.ExtractPayload(kImagePayloadId, imagePath);

    if (!effects.StartWorker()) {
        effects.SetOutcome(ExitStatus::WorkerNotStarted);
        effects.RemoveWorkFiles();
        effects.PostQuit();
    }
}
