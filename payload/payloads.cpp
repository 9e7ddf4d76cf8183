#include "payload/payloads.h"

#include <windows.h>

#include <optional>

#include "framework/file.h"
#include "framework/scoped_handle.h"
#include "payload/payload_table.h"
#include "payload/work_paths.h"
#include "platform/system_queries.h"

bool FileExists(const std::string& path) {
    if (!FitsAnsiPath(path)) return false;
    WIN32_FIND_DATAA data;
    fw::ScopedFindHandle found(::FindFirstFileA(path.c_str(), &data));
    return found.is_valid();
}

bool DeletePath(const std::string& path) {
    return FitsAnsiPath(path) && ::DeleteFileA(path.c_str()) != FALSE;
}

void ExtractPayload(uint16_t id, const std::string& path) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), kPayloadResourceType);
    if (found == nullptr) return;
    fw::ScopedResource loaded(::LoadResource(module, found));
    if (!loaded) return;
    const void* bytes = ::LockResource(loaded.get());
    const DWORD size = ::SizeofResource(module, found);
    if (bytes == nullptr || size == 0) return;
    // A target that cannot be deleted keeps its old content; it is not overwritten in place.
    if (FileExists(path) && !DeletePath(path)) return;
    fw::CFile file;
    file.CreateForWriting(path);
    file.Write(bytes, size);
    file.Close();
}

void DeployPayloads() {
    const std::optional<std::string> folder = WorkFolder();
    if (!folder)
        throw fw::CFileException(ERROR_PATH_NOT_FOUND, std::string("\\") + kWorkFolderName);
    if (FitsAnsiPath(*folder)) ::CreateDirectoryA(folder->c_str(), nullptr);
    DeletePath(FileInFolder(*folder, kBackupFileName));
    for (std::size_t row = 0; row < kDeployedRowCount; ++row) {
        const std::string target = FileInFolder(*folder, kPayloadTable[row].targetName);
        DeletePath(target);
        ExtractPayload(kPayloadTable[row].id, target);
    }
}

void RemoveWorkFiles() {
    const std::optional<std::string> folder = WorkFolder();
    if (!folder) return;
    for (const char* name : kCleanupList) DeletePath(FileInFolder(*folder, name));
    if (FitsAnsiPath(*folder)) ::RemoveDirectoryA(folder->c_str());
}
