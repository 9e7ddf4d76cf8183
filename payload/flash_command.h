// How the flash utility is started: its program, its command line and its working folder.
#pragma once

#include <string>

struct FlashLaunch {
    std::string applicationName;   // full path of the utility, passed as the program to run
    std::string commandLine;       // the utility's path quoted, then its switches and the image
    std::string workingDirectory;  // the working folder: the utility finds its files there
};

// Names the program explicitly and quotes it, so that a path with blanks can never start
// another program (C:\Program.exe for C:\Program Files\...). Nothing is cut at any length.
FlashLaunch BuildFlashLaunch(const std::string& workFolder, const std::string& imageName);
