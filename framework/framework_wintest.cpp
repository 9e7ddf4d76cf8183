#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "framework/file.h"
#include "framework/file_find.h"
#include "framework/thread.h"

namespace {

// A fresh folder under the temp folder, removed with what it holds at the end of a test.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "fwtest" + std::to_string(::GetCurrentProcessId()) + "_" +
                std::to_string(counter_++);
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAA data;
        HANDLE h = ::FindFirstFileA((path_ + "\\*").c_str(), &data);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                const std::string item = path_ + "\\" + data.cFileName;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    ::RemoveDirectoryA(item.c_str());
                } else {
                    ::SetFileAttributesA(item.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileA(item.c_str());
                }
            } while (::FindNextFileA(h, &data));
            ::FindClose(h);
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    static inline int counter_ = 0;
    std::string path_;
};

std::string ReadAll(const std::string& path) {
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string data(1 << 16, '\0');
    DWORD read = 0;
    ::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &read, nullptr);
    ::CloseHandle(h);
    data.resize(read);
    return data;
}

TEST(CFile, WritesTheWholeBufferAndReplacesAnOldFile) {
    TempFolder folder;
    const std::string path = folder.File("out.bin");
    for (const std::string content : {"a much longer first content", "second"}) {
        fw::CFile file;
        file.CreateForWriting(path);
        file.Write(content.data(), content.size());
        file.Close();
        EXPECT_EQ(ReadAll(path), content);
    }
}

TEST(CFile, FailuresRaiseTheCauseAndTheFullPath) {
    TempFolder folder;
    const std::string asFolder = folder.File("sub");
    ASSERT_TRUE(::CreateDirectoryA(asFolder.c_str(), nullptr));
    const std::string tooLong = folder.File(std::string(300, 'x'));
    const std::string noFolder = folder.File("missing\\file.bin");
    struct Case {
        std::string path;
        DWORD cause;
    } cases[] = {
        {asFolder, ERROR_ACCESS_DENIED},
        {tooLong, ERROR_FILENAME_EXCED_RANGE},
        {noFolder, ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : cases) {
        fw::CFile file;
        try {
            file.CreateForWriting(c.path);
            ADD_FAILURE() << "no error for " << c.path;
        } catch (const fw::CFileException& error) {
            EXPECT_EQ(error.m_cause, c.cause) << c.path;
            EXPECT_EQ(error.m_strFileName, c.path);
            EXPECT_NE(error.Describe().find(c.path), std::string::npos);
        }
    }
}

TEST(CFileFind, GivesTheStoredNameAndSkipsDots) {
    TempFolder folder;
    {
        fw::CFile file;
        file.CreateForWriting(folder.File("ZkRbTf11.ImC"));
        file.Close();
    }
    fw::CFileFind finder;
    ASSERT_TRUE(finder.FindFile(folder.File("zkrbtf11.imc")));
    EXPECT_FALSE(finder.FindNextFile());  // the only match
    EXPECT_EQ(finder.GetFileName(), "ZkRbTf11.ImC");
    EXPECT_FALSE(finder.IsDots());

    int names = 0;
    int dots = 0;
    bool more = finder.FindFile(folder.File("*"));
    while (more) {
        more = finder.FindNextFile();
        (finder.IsDots() ? dots : names)++;
    }
    EXPECT_EQ(names, 1);
    EXPECT_EQ(dots, 2);
    EXPECT_FALSE(fw::CFileFind().FindFile(folder.File("absent")));
}

class SignallingThread : public fw::CWinThread {
public:
    SignallingThread(HANDLE ran, HANDLE deleted) : ran_(ran), deleted_(deleted) {}
    ~SignallingThread() override { ::SetEvent(deleted_); }
    BOOL InitInstance() override {
        ::SetEvent(ran_);
        return FALSE;
    }

private:
    HANDLE ran_;
    HANDLE deleted_;
};

TEST(CWinThread, RunsInitInstanceOnItsThreadAndDeletesItself) {
    HANDLE ran = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE deleted = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    auto* thread = new SignallingThread(ran, deleted);
    ASSERT_TRUE(thread->CreateThread(0, 0, nullptr));
    EXPECT_EQ(::WaitForSingleObject(ran, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(deleted, 5000), WAIT_OBJECT_0);
    ::CloseHandle(ran);
    ::CloseHandle(deleted);
}

}  // namespace
