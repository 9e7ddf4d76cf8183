// Steps through the matches of a path, as FindFirstFileA/FindNextFileA give them.
#pragma once

#include <windows.h>

#include <string>

#include "framework/scoped_handle.h"

namespace fw {

class CFileFind {
public:
    // Starts a search; true when anything matches. Call FindNextFile to reach each match.
    bool FindFile(const std::string& path);
    // Moves to the next match; true while another match follows this one.
    bool FindNextFile();
    // The current match's name as the file system stores it, without its folder.
    std::string GetFileName() const { return current_.cFileName; }
    bool IsDots() const;
    bool IsDirectory() const { return (current_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

private:
    ScopedFindHandle handle_;
    WIN32_FIND_DATAA current_{};
    WIN32_FIND_DATAA next_{};
    bool hasNext_ = false;
};

}  // namespace fw
