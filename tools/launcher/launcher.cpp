// Starts one program with an exact command-line text and reports how it ended. Tests need it
// because a shell that starts a Windows program re-quotes every argument that holds a blank:
// an unquoted path with a blank, leading blanks or two blanks in a row cannot be handed over
// any other way.
//
//   launcher.exe [--cwd DIR] [--no-wait] -- <command line text>
//   launcher.exe [--cwd DIR] [--no-wait] --text-from NAME
//
// The text after " -- " (exactly one blank after the "--") is passed verbatim as the command line,
// with no application name, so the system resolves the program the way it does for any caller.
// --text-from takes the text from environment variable NAME instead, for texts that the shell
// that starts this launcher would re-quote as well (two blanks in a row, leading blanks).
// --cwd sets the program's current directory.
//
// Output on stdout, one key=value per line: pid=<id> once the program started, then (without
// --no-wait) exit=<status> when it ended; the launcher then exits with that same status. Wine cuts
// the status a shell sees to 8 bits, so tests read the printed value. When the program cannot be
// started: start_error=<GetLastError> and status 126. Bad usage: error=<text> and status 2.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE h) : h_(h) {}
    ~OwnedHandle() {
        if (h_ != nullptr && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

struct Request {
    std::string commandLine;
    std::string cwd;
    bool wait = true;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The launcher's own program name, quoted or not, as the system's parser reads argument 0.
std::size_t SkipProgramName(const std::string& line) {
    std::size_t i = 0;
    if (i < line.size() && line[i] == '"') {
        i = line.find('"', 1);
        return i == std::string::npos ? line.size() : i + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) ++i;
    return i;
}

// One option word; double quotes group blanks and are dropped.
std::string NextWord(const std::string& line, std::size_t& i) {
    std::string word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else {
            word += line[i];
        }
    }
    return word;
}

// The variable's text in the ANSI code page, as the A functions take it. Read wide and converted
// here: Wine's GetEnvironmentVariableA reports the size needed in UTF-16 units, too small for a
// double-byte code page such as Korean 949, and then cuts the text.
bool ReadEnvironment(const std::string& name, std::string& value) {
    const std::wstring wideName(name.begin(), name.end());  // option names are ASCII
    const DWORD needed = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (needed == 0) return false;
    std::vector<wchar_t> wide(needed);
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), wide.data(), needed);
    if (length >= needed) return false;
    if (length == 0) {
        value.clear();
        return true;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(length), nullptr,
                                          0, nullptr, nullptr);
    if (bytes <= 0) return false;
    value.assign(static_cast<std::size_t>(bytes), '\0');
    return WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(length), value.data(),
                               bytes, nullptr, nullptr) == bytes;
}

// Reads the launcher's own command line; false with `error` set on bad usage.
bool ParseRequest(const std::string& line, Request& request, std::string& error) {
    std::size_t i = SkipProgramName(line);
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) {
            error = "no \" -- \" before the command line";
            return false;
        }
        if (line.compare(i, 2, "--") == 0 && (i + 2 == line.size() || line[i + 2] == ' ')) {
            if (i + 3 > line.size()) {
                error = "empty command line after \"--\"";
                return false;
            }
            request.commandLine = line.substr(i + 3);
            return true;
        }
        const std::string option = NextWord(line, i);
        if (option == "--no-wait") {
            request.wait = false;
            continue;
        }
        if (option != "--cwd" && option != "--text-from") {
            error = "unknown option " + option;
            return false;
        }
        while (i < line.size() && IsBlank(line[i])) ++i;
        const std::string value = NextWord(line, i);
        if (value.empty()) {
            error = option + " needs a value";
            return false;
        }
        if (option == "--cwd") {
            request.cwd = value;
            continue;
        }
        if (!ReadEnvironment(value, request.commandLine) || request.commandLine.empty()) {
            error = "environment variable " + value + " is not set or empty";
            return false;
        }
        return true;
    }
}

}  // namespace

int main() {
    Request request;
    std::string error;
    if (!ParseRequest(GetCommandLineA(), request, error)) {
        std::printf("error=%s\n", error.c_str());
        std::fflush(stdout);
        return 2;
    }

    // CreateProcessA may write into the command line, so it gets a private copy.
    std::vector<char> commandLine(request.commandLine.begin(), request.commandLine.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        request.cwd.empty() ? nullptr : request.cwd.c_str(), &startup, &info)) {
        std::printf("start_error=%lu\n", GetLastError());
        std::fflush(stdout);
        return 126;
    }
    OwnedHandle process(info.hProcess);
    OwnedHandle thread(info.hThread);
    std::printf("pid=%lu\n", info.dwProcessId);
    std::fflush(stdout);
    if (!request.wait) return 0;

    DWORD status = 0;
    if (WaitForSingleObject(process.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &status)) {
        std::printf("error=wait failed (%lu)\n", GetLastError());
        std::fflush(stdout);
        return 2;
    }
    std::printf("exit=%lu\n", status);
    std::fflush(stdout);
    return static_cast<int>(status);  // all 32 bits reach the process's own exit status
}
