// Whether the working folder holds exactly this system's files before the flash utility runs.
// A deployed file whose old copy could not be replaced (read-only, held open, a folder of that
// name) is not ours, and nothing that is not ours may be flashed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/scoped_handle.h"

// The file at `path` holds payload `id` byte for byte. False for a missing or empty payload, a
// missing file, a folder, and a file that cannot be read.
bool FileMatchesPayload(uint16_t id, const std::string& path);

// The eight deployed files and the image `imageName` in `folder` all match their payloads.
bool DeployedFilesMatchPayloads(const std::string& folder, const std::string& imageName);

// As DeployedFilesMatchPayloads, and when they all match, `held` keeps every one of them open
// shared for reading only: nobody can change, replace or delete them until the handles go, so
// the files checked are the files the flash utility reads. On a mismatch `held` is empty.
bool HoldDeployedFilesMatchingPayloads(const std::string& folder, const std::string& imageName,
                                       std::vector<fw::ScopedHandle>& held);
