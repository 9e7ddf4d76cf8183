// The file writer and its error: a failed create, write or close raises a CFileException that
// carries the platform's cause and the full path, as the caller must show both.
#pragma once

#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <string>

#include "framework/scoped_handle.h"

namespace fw {

class CFileException : public std::runtime_error {
public:
    CFileException(DWORD cause, std::string fileName);

    DWORD m_cause;  // the Win32 error code
    std::string m_strFileName;

    // The platform's text for the cause, followed by the file, as a user reads it.
    std::string Describe() const;
};

class CFile {
public:
    CFile() = default;
    ~CFile();  // closes without raising; Close() is the checked way
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Write only, no sharing, created or truncated.
    void CreateForWriting(const std::string& path);
    // One write of the whole buffer; fewer bytes stored than asked counts as a full disk.
    void Write(const void* data, std::size_t size);
    void Close();

private:
    ScopedHandle handle_;
    std::string path_;
};

}  // namespace fw
