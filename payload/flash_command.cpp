#include "payload/flash_command.h"

#include "payload/payload_table.h"
#include "payload/work_paths.h"
#include "update/version_decision.h"

FlashLaunch BuildFlashLaunch(const std::string& workFolder, const std::string& imageName) {
    FlashLaunch launch;
    launch.applicationName = FileInFolder(workFolder, kFlashUtilityFileName);
    // The path never ends in a backslash, so the closing quote cannot be taken as escaped.
    launch.commandLine = "\"" + launch.applicationName + "\" /BU=" + kBackupFileName +
                         " /C /MFG /P /S /V /mode=2 " + UpperCased(imageName);
    launch.workingDirectory = workFolder;
    return launch;
}
