// Shared helpers of the alarm tests: a scratch current directory, file contents, the registry
// store, and a watcher that answers message boxes.
#ifndef CLOCK_TESTS_ALARM_TEST_SUPPORT_H
#define CLOCK_TESTS_ALARM_TEST_SUPPORT_H

#include <windows.h>

#include <string>
#include <vector>

// Makes a fresh empty directory the current one for the lifetime of the object.
class CScratchDir {
  public:
    CScratchDir();
    ~CScratchDir();
    const std::string& Path() const { return m_strPath; }

  private:
    std::string m_strPath;
    char m_szOld[MAX_PATH];
};

std::string ReadFileBytes(const char* name);
void WriteFileBytes(const char* name, const std::string& bytes);
bool FileExists(const char* name);

void DeleteAlarmStore();
// -1 when the value is missing.
long long ReadStoredDword(const char* name);
void WriteStoredDword(const char* name, DWORD value);

// Polls for message boxes with the given caption, records their text and answers them with
// the command given (IDOK by default).
class CBoxWatcher {
  public:
    explicit CBoxWatcher(const char* caption, int answer = IDOK);
    ~CBoxWatcher();
    std::vector<std::string> Texts();

  private:
    static DWORD WINAPI Run(LPVOID self);
    std::string m_strCaption;
    int m_nAnswer;
    volatile LONG m_bQuit;
    CRITICAL_SECTION m_lock;
    std::vector<std::string> m_texts;
    HANDLE m_hThread;
};

#endif
