// The stand-in flash utility of our kit. It checks what BIOSUpdate.exe hands it (switches,
// working directory, settings file, image) the way the vendor's utility depends on them, writes
// a backup file that says what it is, waits to stand for the flash, and touches no firmware.
//
// It imports kernel32 alone and carries no C runtime: the kit's placeholder msvcrt.dll,
// mfc42.dll and msvcp60.dll lie in the same folder and would be loaded in place of the real
// libraries (the program would not even start). Hence the hand-written helpers below.
//
// Exit statuses and the test log line are documented in kit/README.md.

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

// The compiler may emit calls to these for copies and zero-fills; without a C runtime they
// are ours. Built with -fno-tree-loop-distribute-patterns so they do not call themselves.
extern "C" void* memset(void* target, int value, size_t count) {
    unsigned char* p = static_cast<unsigned char*>(target);
    while (count-- != 0) *p++ = static_cast<unsigned char>(value);
    return target;
}

extern "C" void* memcpy(void* target, const void* source, size_t count) {
    unsigned char* p = static_cast<unsigned char*>(target);
    const unsigned char* q = static_cast<const unsigned char*>(source);
    while (count-- != 0) *p++ = *q++;
    return target;
}

namespace {

enum Status : UINT {
    kFlashed = 0,
    kBadArgument = 2,   // unknown switch, bad switch value, a second image name, bad environment
    kMissingIni = 3,    // no PHLASH.INI in the current directory, or no [Main] settings in it
    kMissingImage = 4,  // no image named, not a bare name, not in the current directory, unreadable
    kWrongFamily = 5,   // the image's header does not name family ZKRBT (or there is no header)
    kBackupFailed = 6,  // the backup named by /BU= could not be written
    kLogFailed = 7,     // BIOSUPDATE_STANDIN_LOG is set but the line could not be appended
};

const char kFamily[] = "ZKRBT";
const char kIniName[] = "PHLASH.INI";
const DWORD kDefaultFlashMs = 2000;
// The stand-in image starts with this text; the generator in kit/gen_image.cmake writes it.
const char kImageMagic[] = "STAND-IN BIOS IMAGE ";

size_t Length(const char* s) {
    size_t n = 0;
    while (s[n] != '\0') ++n;
    return n;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsNoCase(const char* a, size_t aLength, const char* b) {
    const size_t bLength = Length(b);
    if (aLength != bLength) return false;
    for (size_t i = 0; i < aLength; ++i) {
        if (Upper(a[i]) != Upper(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(const char* a, size_t aLength, const char* prefix) {
    const size_t n = Length(prefix);
    return aLength >= n && EqualsNoCase(a, n, prefix);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A growable text on the process heap. A failed allocation is remembered, not hidden: the
// caller checks ok() before it relies on the content.
class Text {
public:
    Text() = default;
    explicit Text(const char* s) { Append(s); }
    ~Text() {
        if (data_ != nullptr) HeapFree(GetProcessHeap(), 0, data_);
    }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    Text& Append(const char* s, size_t n) {
        if (!Reserve(size_ + n + 1)) return *this;
        memcpy(data_ + size_, s, n);
        size_ += n;
        data_[size_] = '\0';
        return *this;
    }
    Text& Append(const char* s) { return Append(s, Length(s)); }
    Text& Append(const Text& t) { return Append(t.c_str(), t.size()); }
    Text& AppendNumber(uint32_t value) {
        char digits[10];
        size_t n = 0;
        do {
            digits[n++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        char reversed[10];
        for (size_t i = 0; i < n; ++i) reversed[i] = digits[n - 1 - i];
        return Append(reversed, n);
    }
    void Assign(const char* s, size_t n) {
        size_ = 0;
        if (data_ != nullptr) data_[0] = '\0';
        Append(s, n);
    }
    void Assign(const char* s) { Assign(s, Length(s)); }

    const char* c_str() const { return data_ != nullptr ? data_ : ""; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool ok() const { return ok_; }

private:
    bool Reserve(size_t capacity) {
        if (!ok_) return false;
        if (capacity <= capacity_) return true;
        size_t wanted = capacity_ == 0 ? 64 : capacity_;
        while (wanted < capacity) wanted *= 2;
        void* grown = data_ == nullptr ? HeapAlloc(GetProcessHeap(), 0, wanted)
                                       : HeapReAlloc(GetProcessHeap(), 0, data_, wanted);
        if (grown == nullptr) {
            ok_ = false;
            return false;
        }
        data_ = static_cast<char*>(grown);
        capacity_ = wanted;
        return true;
    }

    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    bool ok_ = true;
};

// Owns a kernel handle; INVALID_HANDLE_VALUE and NULL both mean none.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (valid()) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE h) : h_(h) {}
    ~FindHandle() {
        if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

// Reads an environment variable in the ANSI code page; false when it is not set. Read wide and
// converted here: Wine's GetEnvironmentVariableA reports the size needed in UTF-16 units, too
// small for a double-byte code page, and then cuts the text.
bool Environment(const char* name, Text& value) {
    wchar_t wideName[64];
    size_t i = 0;
    for (; name[i] != '\0' && i + 1 < sizeof wideName / sizeof wideName[0]; ++i) {
        wideName[i] = static_cast<wchar_t>(name[i]);  // our variable names are ASCII
    }
    wideName[i] = L'\0';
    const DWORD needed = GetEnvironmentVariableW(wideName, nullptr, 0);
    if (needed == 0) return false;
    HANDLE heap = GetProcessHeap();
    wchar_t* wide = static_cast<wchar_t*>(HeapAlloc(heap, 0, needed * sizeof(wchar_t)));
    if (wide == nullptr) return false;
    const DWORD length = GetEnvironmentVariableW(wideName, wide, needed);
    bool ok = length < needed;
    value.Assign("", 0);
    if (ok && length != 0) {
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), nullptr, 0,
                                              nullptr, nullptr);
        char* narrow = bytes > 0 ? static_cast<char*>(HeapAlloc(heap, 0, bytes)) : nullptr;
        ok = narrow != nullptr && WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length),
                                                      narrow, bytes, nullptr, nullptr) == bytes;
        if (ok) value.Assign(narrow, static_cast<size_t>(bytes));
        if (narrow != nullptr) HeapFree(heap, 0, narrow);
    }
    HeapFree(heap, 0, wide);
    return ok;
}

// A decimal number, optionally negative (for statuses such as -1). False when the text is not one.
bool ParseNumber(const Text& text, uint32_t& value) {
    const char* p = text.c_str();
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    if (*p == '\0') return false;
    uint64_t n = 0;
    for (; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') return false;
        n = n * 10 + static_cast<uint64_t>(*p - '0');
        if (n > 0xFFFFFFFFull) return false;
    }
    value =
        negative ? static_cast<uint32_t>(0u - static_cast<uint32_t>(n)) : static_cast<uint32_t>(n);
    return true;
}

bool CurrentDirectory(Text& directory) {
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return false;
    HANDLE heap = GetProcessHeap();
    char* buffer = static_cast<char*>(HeapAlloc(heap, 0, needed));
    if (buffer == nullptr) return false;
    const DWORD got = GetCurrentDirectoryA(needed, buffer);
    const bool ok = got != 0 && got < needed;
    if (ok) directory.Assign(buffer, got);
    HeapFree(heap, 0, buffer);
    return ok;
}

void ModulePath(Text& path) {
    char buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    path.Assign(buffer, n < sizeof buffer ? n : 0);
}

void JoinPath(const Text& directory, const char* name, Text& path) {
    path.Assign(directory.c_str(), directory.size());
    if (path.empty() || path.c_str()[path.size() - 1] != '\\') path.Append("\\");
    path.Append(name);
}

bool IsBareName(const Text& name) {
    for (const char* p = name.c_str(); *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') return false;
    }
    return !name.empty();
}

// Where the arguments begin. The launcher may start us with our path unquoted although it holds
// blanks ("C:\Program Files\...\SWinFlash.exe /BU=..."); the system then found this program by
// trying the line's blank-separated beginnings, so our own path is skipped as a whole when the line
// starts with it. Otherwise the first token is the program name, quoted or not.
const char* SkipProgramName(const char* line, const Text& modulePath) {
    if (*line == '"') {
        const char* p = line + 1;
        while (*p != '\0' && *p != '"') ++p;
        return *p == '"' ? p + 1 : p;
    }
    const size_t n = modulePath.size();
    if (n != 0 && StartsWithNoCase(line, Length(line), modulePath.c_str()) &&
        (line[n] == '\0' || IsBlank(line[n]))) {
        return line + n;
    }
    const char* p = line;
    while (*p != '\0' && !IsBlank(*p)) ++p;
    return p;
}

// The next argument, with the quoting the system's own parser knows for simple cases: double
// quotes group blanks and are dropped. False at the end of the line.
bool NextArgument(const char*& p, Text& argument) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') return false;
    argument.Assign("", 0);
    bool quoted = false;
    for (; *p != '\0' && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') {
            quoted = !quoted;
        } else {
            argument.Append(p, 1);
        }
    }
    return true;
}

struct Run {
    Text exe;
    Text commandLine;
    Text cwd;
    Text files;
    Text iniImage;
    Text iniBackup;
    Text image;
    Text family;
    Text revision;
    Text backup;
    uint32_t flashMs = kDefaultFlashMs;
    bool flashed = false;
    Text reason;
    UINT status = kFlashed;
};

UINT Refuse(Run& run, UINT status, const char* why, const Text* detail = nullptr) {
    run.status = status;
    run.reason.Assign(why);
    if (detail != nullptr) run.reason.Append(detail->c_str(), detail->size());
    return status;
}

UINT RefuseWithError(Run& run, UINT status, const char* why, const Text& detail) {
    const DWORD error = GetLastError();
    Refuse(run, status, why, &detail);
    run.reason.Append(" (error ").AppendNumber(error).Append(")");
    return status;
}

UINT ParseArguments(Run& run) {
    const char* p = SkipProgramName(run.commandLine.c_str(), run.exe);
    Text argument;
    while (NextArgument(p, argument)) {
        const char* a = argument.c_str();
        const size_t n = argument.size();
        if (StartsWithNoCase(a, n, "/BU=")) {
            run.backup.Assign(a + 4, n - 4);
            if (!IsBareName(run.backup)) {
                return Refuse(run, kBadArgument,
                              "backup name is not a bare file name: ", &argument);
            }
        } else if (EqualsNoCase(a, n, "/C") || EqualsNoCase(a, n, "/MFG") ||
                   EqualsNoCase(a, n, "/P") || EqualsNoCase(a, n, "/S") ||
                   EqualsNoCase(a, n, "/V") || EqualsNoCase(a, n, "/mode=2")) {
            // Accepted; the stand-in has no dialogs to hide and no options to apply.
        } else if (n != 0 && (a[0] == '/' || a[0] == '-')) {
            return Refuse(run, kBadArgument, "unknown switch ", &argument);
        } else if (run.image.empty()) {
            run.image.Assign(a, n);
        } else {
            return Refuse(run, kBadArgument, "second image name ", &argument);
        }
    }
    return kFlashed;
}

// An empty variable counts as unset, so that a test can switch a fault off with NAME=.
bool Setting(const char* name, Text& value) {
    return Environment(name, value) && !value.empty();
}

UINT ReadEnvironment(Run& run, bool& crash, bool& forced, uint32_t& forcedStatus) {
    Text value;
    // 4294967295 (or -1) is INFINITE: a utility that never ends.
    if (Setting("BIOSUPDATE_STANDIN_FLASH_MS", value) && !ParseNumber(value, run.flashMs)) {
        return Refuse(run, kBadArgument, "BIOSUPDATE_STANDIN_FLASH_MS is not a number: ", &value);
    }
    if (Setting("BIOSUPDATE_STANDIN_EXIT", value)) {
        if (!ParseNumber(value, forcedStatus)) {
            return Refuse(run, kBadArgument, "BIOSUPDATE_STANDIN_EXIT is not a number: ", &value);
        }
        forced = true;
    }
    crash = Setting("BIOSUPDATE_STANDIN_CRASH", value) &&
            EqualsNoCase(value.c_str(), value.size(), "1");
    return kFlashed;
}

// Names in the current directory, sorted without regard to case, folders marked with a trailing
// backslash, comma-separated.
void ListFiles(Run& run) {
    Text pattern;
    JoinPath(run.cwd, "*", pattern);
    WIN32_FIND_DATAA entry;
    FindHandle find(FindFirstFileA(pattern.c_str(), &entry));
    if (!find.valid()) return;

    // A simple insertion into the sorted comma-separated text: the folder holds a dozen names.
    Text sorted;
    do {
        const char* name = entry.cFileName;
        if (EqualsNoCase(name, Length(name), ".") || EqualsNoCase(name, Length(name), "..")) {
            continue;
        }
        Text item(name);
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) item.Append("\\");

        Text merged;
        bool placed = false;
        const char* s = sorted.c_str();
        while (*s != '\0') {
            const char* end = s;
            while (*end != '\0' && *end != ',') ++end;
            Text existing;
            existing.Assign(s, static_cast<size_t>(end - s));
            if (!placed && lstrcmpiA(item.c_str(), existing.c_str()) < 0) {
                if (!merged.empty()) merged.Append(",");
                merged.Append(item);
                placed = true;
            }
            if (!merged.empty()) merged.Append(",");
            merged.Append(existing);
            s = *end == ',' ? end + 1 : end;
        }
        if (!placed) {
            if (!merged.empty()) merged.Append(",");
            merged.Append(item);
        }
        sorted.Assign(merged.c_str(), merged.size());
    } while (FindNextFileA(find.get(), &entry));
    run.files.Assign(sorted.c_str(), sorted.size());
}

UINT ReadSettings(Run& run) {
    Text iniPath;
    JoinPath(run.cwd, kIniName, iniPath);
    const DWORD attributes = GetFileAttributesA(iniPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Refuse(run, kMissingIni, "no PHLASH.INI in the current directory");
    }
    char value[MAX_PATH];
    // The full path matters: a bare name would be looked up in the Windows folder.
    GetPrivateProfileStringA("Main", "FormatVersion", "", value, sizeof value, iniPath.c_str());
    if (value[0] == '\0') return Refuse(run, kMissingIni, "PHLASH.INI has no [Main] FormatVersion");
    GetPrivateProfileStringA("Main", "ImageFile", "", value, sizeof value, iniPath.c_str());
    run.iniImage.Assign(value);
    GetPrivateProfileStringA("Main", "BackupFile", "", value, sizeof value, iniPath.c_str());
    run.iniBackup.Assign(value);
    return kFlashed;
}

// Copies the value of "key=" from the header line up to the next blank.
void HeaderField(const char* header, const char* key, Text& value) {
    const size_t keyLength = Length(key);
    for (const char* p = header; *p != '\0'; ++p) {
        if ((p == header || IsBlank(p[-1])) && StartsWithNoCase(p, Length(p), key)) {
            const char* start = p + keyLength;
            const char* end = start;
            while (*end != '\0' && !IsBlank(*end)) ++end;
            value.Assign(start, static_cast<size_t>(end - start));
            return;
        }
    }
}

UINT CheckImage(Run& run) {
    if (run.image.empty()) return Refuse(run, kMissingImage, "no image named on the command line");
    if (!IsBareName(run.image)) {
        return Refuse(run, kMissingImage, "image name is not a bare file name: ", &run.image);
    }
    Text path;
    JoinPath(run.cwd, run.image.c_str(), path);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return Refuse(run, kMissingImage, "image not in the current directory: ", &run.image);
    }
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return RefuseWithError(run, kMissingImage, "image cannot be opened: ", run.image);
    char header[256];
    DWORD got = 0;
    if (!ReadFile(file.get(), header, sizeof header - 1, &got, nullptr)) {
        return RefuseWithError(run, kMissingImage, "image cannot be read: ", run.image);
    }
    header[got] = '\0';
    for (DWORD i = 0; i < got; ++i) {
        if (header[i] == '\r' || header[i] == '\n') {
            header[i] = '\0';
            break;
        }
    }
    if (!StartsWithNoCase(header, Length(header), kImageMagic)) {
        return Refuse(run, kWrongFamily, "image has no stand-in header: ", &run.image);
    }
    HeaderField(header, "family=", run.family);
    HeaderField(header, "revision=", run.revision);
    if (!EqualsNoCase(run.family.c_str(), run.family.size(), kFamily)) {
        return Refuse(run, kWrongFamily, "image family is not ZKRBT: ", &run.family);
    }
    return kFlashed;
}

UINT WriteBackup(Run& run) {
    if (run.backup.empty()) return kFlashed;
    Text path;
    JoinPath(run.cwd, run.backup.c_str(), path);
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return RefuseWithError(run, kBackupFailed, "backup cannot be created: ", run.backup);
    Text content(
        "Stand-in backup written by the stand-in SWinFlash.exe of the BIOS update kit.\r\n"
        "It holds no BIOS: nothing was read from or written to the firmware.\r\n");
    content.Append("Image: ").Append(run.image).Append(" (family ").Append(run.family);
    content.Append(", revision ").Append(run.revision).Append(")\r\n");
    DWORD written = 0;
    if (!content.ok() ||
        !WriteFile(file.get(), content.c_str(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        written != content.size()) {
        return RefuseWithError(run, kBackupFailed, "backup cannot be written: ", run.backup);
    }
    return kFlashed;
}

UINT Work(Run& run, bool& crash, bool& forced, uint32_t& forcedStatus) {
    if (ReadEnvironment(run, crash, forced, forcedStatus) != kFlashed) return run.status;
    if (ParseArguments(run) != kFlashed) return run.status;
    if (ReadSettings(run) != kFlashed) return run.status;
    if (CheckImage(run) != kFlashed) return run.status;
    if (WriteBackup(run) != kFlashed) return run.status;
    Sleep(run.flashMs);
    run.flashed = true;
    run.reason.Assign("stand-in flash: nothing written to the firmware");
    return kFlashed;
}

void Field(Text& line, const char* key, const Text& value) {
    if (!line.empty()) line.Append(" | ");
    line.Append(key).Append("=").Append(value);
}

// Appends one line; several utilities may write the same log, so it is opened shared and
// written in one append.
bool AppendLog(const Text& logPath, const Run& run, UINT exitStatus, bool forced, bool crash) {
    Text line;
    Field(line, "exe", run.exe);
    Field(line, "cmdline", run.commandLine);
    Field(line, "cwd", run.cwd);
    Field(line, "files", run.files);
    Field(line, "ini_image", run.iniImage);
    Field(line, "ini_backup", run.iniBackup);
    Field(line, "image", run.image);
    Field(line, "family", run.family);
    Field(line, "revision", run.revision);
    Field(line, "backup", run.backup);
    Text number;
    number.AppendNumber(run.flashMs);
    Field(line, "flash_ms", number);
    Field(line, "result", Text(run.flashed ? "flashed" : "refused"));
    Field(line, "reason", run.reason);
    Text status;
    status.AppendNumber(run.status);
    Field(line, "status", status);
    Field(line, "forced", Text(forced ? "1" : "0"));
    Field(line, "crash", Text(crash ? "1" : "0"));
    Text exitText;
    exitText.AppendNumber(exitStatus);
    Field(line, "exit", exitText);
    line.Append("\n");
    if (!line.ok()) return false;

    Handle file(CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    return WriteFile(file.get(), line.c_str(), static_cast<DWORD>(line.size()), &written,
                     nullptr) &&
           written == line.size();
}

LONG WINAPI EndWithException(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

void Crash() {
    // No debugger and no crash dialog: the process just ends with the access violation's status.
    SetErrorMode(SEM_NOGPFAULTERRORBOX | SEM_FAILCRITICALERRORS);
    SetUnhandledExceptionFilter(EndWithException);
    volatile int* volatile nowhere = nullptr;
    *nowhere = 1;
}

}  // namespace

extern "C" void StandinEntry() {
    Run run;
    ModulePath(run.exe);
    run.commandLine.Assign(GetCommandLineA());
    bool crash = false;
    bool forced = false;
    uint32_t forcedStatus = 0;
    if (!CurrentDirectory(run.cwd)) {
        Refuse(run, kMissingIni, "current directory unknown");
    } else {
        ListFiles(run);
        Work(run, crash, forced, forcedStatus);
    }
    UINT exitStatus = forced ? forcedStatus : run.status;

    Text logPath;
    if (Setting("BIOSUPDATE_STANDIN_LOG", logPath) &&
        !AppendLog(logPath, run, exitStatus, forced, crash) && !forced) {
        exitStatus = kLogFailed;
    }
    if (crash) Crash();
    ExitProcess(exitStatus);
}
