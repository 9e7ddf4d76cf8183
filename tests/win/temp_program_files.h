// Test fixture: points the platform's Program Files folder at a fresh folder of the test's own
// (the ProgramFilesDir registry value that SHGetFolderPathA reports), and puts it back after.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Removes a folder and everything below it, read-only files included.
void RemoveTree(const std::string& path);
std::string ReadFileBytes(const std::string& path);  // "<missing>" when it cannot be opened
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string PayloadBytes(WORD id);  // the resource of type "File" in this module
bool PathExists(const std::string& path);
std::vector<std::string> FolderEntries(const std::string& folder);  // names, dots skipped
// Creates every missing folder level of `path`.
void CreateFolders(const std::string& path);

class TempProgramFiles {
public:
    // `length` 0: a short fresh folder; otherwise a folder whose path has exactly that length.
    explicit TempProgramFiles(std::size_t length = 0);
    ~TempProgramFiles();
    TempProgramFiles(const TempProgramFiles&) = delete;
    TempProgramFiles& operator=(const TempProgramFiles&) = delete;

    const std::string& path() const { return path_; }
    std::string WorkFolder() const { return path_ + "\\BIOSUPDATE"; }
    std::string WorkFile(const std::string& name) const { return WorkFolder() + "\\" + name; }
    // Points Program Files at a folder that does not exist: the platform's query then fails.
    void PointAtMissingFolder();

private:
    std::string root_;
    std::string path_;
    std::string saved_;
};

}  // namespace testing_support
