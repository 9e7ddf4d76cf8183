// The update preparation that runs on the window's thread at the start tick: the installed BIOS
// version, the image in the working folder, then the worker. Written once against its effects
// so that the order of the steps and the failed thread start are checked without the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/exit_status.h"

class PreparationEffects {
public:
    virtual ~PreparationEffects() = default;

    // The WMI steps on the window's own fields; each is false on any failure.
    virtual bool ConnectWmi() = 0;
    virtual bool GetFirstBiosInstance() = 0;
    virtual bool GetBiosVersionValue() = 0;
    // The text of the value that GetBiosVersionValue read, upper-cased.
    virtual std::string BiosVersionValueText() = 0;
    // Lets go of the instance and the enumerator of the query, whatever it gave.
    virtual void ReleaseBiosQuery() = 0;

    virtual void SetBiosVersion(const std::string& version) = 0;
    virtual void SetImageName(const std::string& name) = 0;

    virtual std::optional<std::string> WorkFolder() = 0;
    // Both ignore failures.
    virtual void CreateFolder(const std::string& folder) = 0;
    virtual void DeleteOldImage(const std::string& path) = 0;
    // Writes a payload; a file that cannot be created or written raises the framework's file
    // error, which this stage leaves to the window.
    virtual void ExtractPayload(uint16_t id, const std::string& path) = 0;
    // Raises the file error of an image write with no usable working folder.
    virtual void RaiseNoWorkFolder(const std::string& imageName) = 0;

    // Constructs the worker with the window as its owner and starts its thread; false when the
    // thread could not be started (the worker object is then discarded).
    virtual bool StartWorker() = 0;
    virtual void RemoveWorkFiles() = 0;
    virtual void PostQuit() = 0;
    virtual void SetOutcome(ExitStatus outcome) = 0;
};

// Every field the worker reads is set before its thread starts.
void RunPreparation(PreparationEffects& effects);
