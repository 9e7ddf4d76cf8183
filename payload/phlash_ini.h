// The flash utility's settings file, PHLASH.INI, as deployed into the working folder.
#pragma once

#include <string>

// The whole file, CRLF line ends. The image is named bare: the utility runs in the working
// folder, so the name is found there whatever that folder's path.
std::string PhlashIniText();
