#include "tests/win/temp_program_files.h"

#include <stdexcept>

#include "framework/scoped_handle.h"

namespace testing_support {
namespace {

constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kProgramFilesValue[] = "ProgramFilesDir";

std::string ReadProgramFilesValue() {
    char value[1024] = {};
    DWORD size = sizeof(value) - 1;
    DWORD type = 0;
    fw::ScopedRegKey key;
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_QUERY_VALUE, &raw) == 0) {
        key.reset(raw);
        ::RegQueryValueExA(key.get(), kProgramFilesValue, nullptr, &type,
                           reinterpret_cast<BYTE*>(value), &size);
    }
    return value;
}

void WriteProgramFilesValue(const std::string& path) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_SET_VALUE, &raw) != 0) {
        throw std::runtime_error("cannot open the CurrentVersion key");
    }
    fw::ScopedRegKey key(raw);
    ::RegSetValueExA(key.get(), kProgramFilesValue, 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(path.c_str()),
                     static_cast<DWORD>(path.size() + 1));
}

int g_counter = 0;

}  // namespace

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    fw::ScopedFindHandle find(::FindFirstFileA((path + "\\*").c_str(), &data));
    if (find) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string item = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(item);
            } else {
                ::SetFileAttributesA(item.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(item.c_str());
            }
        } while (::FindNextFileA(find.get(), &data));
    }
    find.reset();
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

std::string ReadFileBytes(const std::string& path) {
    fw::ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!file) return "<missing>";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    fw::ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string PayloadBytes(WORD id) {
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), "File");
    if (found == nullptr) return "<no payload>";
    HGLOBAL loaded = ::LoadResource(module, found);
    return std::string(static_cast<const char*>(::LockResource(loaded)),
                       ::SizeofResource(module, found));
}

bool PathExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    fw::ScopedFindHandle find(::FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (::FindNextFileA(find.get(), &data));
    return names;
}

void CreateFolders(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos;
         at = path.find('\\', at + 1)) {
        ::CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    }
    ::CreateDirectoryA(path.c_str(), nullptr);
}

TempProgramFiles::TempProgramFiles(std::size_t length) : saved_(ReadProgramFilesValue()) {
    root_ =
        "C:\\pftest" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(g_counter++);
    path_ = root_ + "\\Program Files";
    if (length > path_.size()) {
        // Fill with folder levels of at most 100 characters up to the exact length.
        while (path_.size() < length) {
            const std::size_t room = length - path_.size() - 1;
            if (room == 0) {
                path_ += "p";  // a last single character: no separator left to place
                break;
            }
            path_ += "\\" + std::string(room > 100 ? 100 : room, 'p');
        }
    }
    CreateFolders(path_);
    WriteProgramFilesValue(path_);
}

TempProgramFiles::~TempProgramFiles() {
    WriteProgramFilesValue(saved_);
    RemoveTree(root_);
}

void TempProgramFiles::PointAtMissingFolder() {
    WriteProgramFilesValue(root_ + "\\absent");
}

}  // namespace testing_support
