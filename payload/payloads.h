// Writing the embedded payloads into the working folder and removing them again.
#pragma once

#include <cstdint>
#include <string>

// Anything (a file, or a folder) under that path.
bool FileExists(const std::string& path);

// Deletes a file; a path too long for the "A" functions fails as the platform fails it.
bool DeletePath(const std::string& path);

// Writes payload `id` to `path` byte for byte. A payload that is missing or empty, or an old
// target that cannot be deleted, leaves the target as it was; a failed create, write or close
// raises fw::CFileException.
void ExtractPayload(uint16_t id, const std::string& path);

// Creates the working folder, deletes an old backup and writes the eight flash-utility files.
// Raises fw::CFileException when a file cannot be written, and when there is no usable
// working folder at all.
void DeployPayloads();

// Deletes the clean-up list, then the folder when it is empty by then; ignores every failure.
void RemoveWorkFiles();
