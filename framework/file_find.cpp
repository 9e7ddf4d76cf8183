#include "framework/file_find.h"

#include <cstring>

#include "payload/work_paths.h"

namespace fw {

bool CFileFind::FindFile(const std::string& path) {
    handle_.reset();
    hasNext_ = false;
    current_ = WIN32_FIND_DATAA{};
    if (!FitsAnsiPath(path)) return false;
    HANDLE h = ::FindFirstFileA(path.c_str(), &next_);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_.reset(h);
    hasNext_ = true;
    return true;
}

bool CFileFind::FindNextFile() {
    if (!hasNext_) return false;
    current_ = next_;
    hasNext_ = ::FindNextFileA(handle_.get(), &next_) != FALSE;
    if (!hasNext_) handle_.reset();
    return hasNext_;
}

bool CFileFind::IsDots() const {
    return IsDirectory() && (std::strcmp(current_.cFileName, ".") == 0 ||
                             std::strcmp(current_.cFileName, "..") == 0);
}

}  // namespace fw
