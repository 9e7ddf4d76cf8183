#include "payload/work_paths.h"

#include "payload/payload_table.h"

std::optional<std::string> WorkFolderPath(bool queryOk, const std::string& programFiles) {
    if (!queryOk || programFiles.empty()) return std::nullopt;
    return FileInFolder(programFiles, kWorkFolderName);
}

std::string FileInFolder(const std::string& folder, const std::string& name) {
    return folder + '\\' + name;
}

bool FitsAnsiPath(const std::string& path) {
    return path.size() <= kMaxAnsiPathLength;
}
