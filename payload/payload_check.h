// Whether the working folder holds exactly this system's files before the flash utility runs.
// A deployed file whose old copy could not be replaced (read-only, held open, a folder of that
// name) is not ours, and nothing that is not ours may be flashed.
#pragma once

#include <cstdint>
#include <string>

// The file at `path` holds payload `id` byte for byte. False for a missing or empty payload, a
// missing file, a folder, and a file that cannot be read.
bool FileMatchesPayload(uint16_t id, const std::string& path);

// The eight deployed files and the image `imageName` in `folder` all match their payloads.
bool DeployedFilesMatchPayloads(const std::string& folder, const std::string& imageName);
