#include "payload/payload_check.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/scoped_handle.h"
#include "payload/payload_table.h"
#include "payload/work_paths.h"

namespace {

// The file opened shared for reading only, when it holds payload `id` byte for byte; otherwise
// an empty handle.
fw::ScopedHandle OpenIfMatchesPayload(uint16_t id, const std::string& path) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), kPayloadResourceType);
    if (found == nullptr) return {};
    fw::ScopedResource loaded(::LoadResource(module, found));
    const char* expected =
        loaded ? static_cast<const char*>(::LockResource(loaded.get())) : nullptr;
    const DWORD size = ::SizeofResource(module, found);
    if (expected == nullptr || size == 0) return {};

    if (!FitsAnsiPath(path)) return {};
    // Shared for reading only, so the content cannot change while it is compared.
    fw::ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER fileSize{};
    if (!::GetFileSizeEx(file.get(), &fileSize) || fileSize.QuadPart != size) return {};

    std::vector<char> chunk(64 * 1024);
    DWORD compared = 0;
    while (compared < size) {
        const DWORD want = std::min<DWORD>(static_cast<DWORD>(chunk.size()), size - compared);
        DWORD read = 0;
        if (!::ReadFile(file.get(), chunk.data(), want, &read, nullptr) || read != want) {
            return {};
        }
        if (std::memcmp(chunk.data(), expected + compared, want) != 0) return {};
        compared += want;
    }
    return file;
}

}  // namespace

bool FileMatchesPayload(uint16_t id, const std::string& path) {
    return OpenIfMatchesPayload(id, path).is_valid();
}

bool DeployedFilesMatchPayloads(const std::string& folder, const std::string& imageName) {
    std::vector<fw::ScopedHandle> held;
    return HoldDeployedFilesMatchingPayloads(folder, imageName, held);
}

bool HoldDeployedFilesMatchingPayloads(const std::string& folder, const std::string& imageName,
                                       std::vector<fw::ScopedHandle>& held) {
    held.clear();
    std::vector<fw::ScopedHandle> opened;
    for (std::size_t row = 0; row < kDeployedRowCount; ++row) {
        const PayloadRow& payload = kPayloadTable[row];
        opened.push_back(
            OpenIfMatchesPayload(payload.id, FileInFolder(folder, payload.targetName)));
        if (!opened.back()) return false;
    }
    opened.push_back(OpenIfMatchesPayload(kImagePayloadId, FileInFolder(folder, imageName)));
    if (!opened.back()) return false;
    held = std::move(opened);
    return true;
}
