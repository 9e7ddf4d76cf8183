#include "framework/file.h"

#include "framework/win_error.h"
#include "payload/work_paths.h"

namespace fw {

CFileException::CFileException(DWORD cause, std::string fileName)
    : std::runtime_error(ErrorText(cause) + " " + fileName),
      m_cause(cause),
      m_strFileName(std::move(fileName)) {}

std::string CFileException::Describe() const {
    return ErrorText(m_cause) + "\n" + m_strFileName;
}

CFile::~CFile() = default;

void CFile::CreateForWriting(const std::string& path) {
    path_ = path;
    // A path longer than the "A" functions take is refused as the platform refuses it, never cut.
    if (!FitsAnsiPath(path)) throw CFileException(ERROR_FILENAME_EXCED_RANGE, path);
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw CFileException(::GetLastError(), path);
    handle_.reset(h);
}

void CFile::Write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(handle_.get(), bytes, chunk, &written, nullptr)) {
            throw CFileException(::GetLastError(), path_);
        }
        if (written < chunk) throw CFileException(ERROR_DISK_FULL, path_);
        bytes += written;
        size -= written;
    }
}

void CFile::Close() {
    HANDLE h = handle_.release();
    if (h != nullptr && !::CloseHandle(h)) throw CFileException(::GetLastError(), path_);
}

}  // namespace fw
