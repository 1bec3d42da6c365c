#include "test_support.h"

#include <stdio.h>

namespace {
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
}
} // namespace

CScratchDir::CScratchDir() {
    GetCurrentDirectoryA(sizeof(m_szOld), m_szOld);
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static int s_nCounter = 0;
    char name[MAX_PATH + 64];
    snprintf(name, sizeof(name), "%salarm_test_%lu_%d", temp, GetCurrentProcessId(), ++s_nCounter);
    m_strPath = name;
    RemoveTree(m_strPath);
    CreateDirectoryA(m_strPath.c_str(), nullptr);
    SetCurrentDirectoryA(m_strPath.c_str());
}

CScratchDir::~CScratchDir() {
    SetCurrentDirectoryA(m_szOld);
    RemoveTree(m_strPath);
}

std::string ReadFileBytes(const char* name) {
    std::string bytes;
    FILE* f = fopen(name, "rb");
    if (f == nullptr)
        return bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof(chunk), f)) > 0)
        bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

void WriteFileBytes(const char* name, const std::string& bytes) {
    FILE* f = fopen(name, "wb");
    if (f == nullptr)
        return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

bool FileExists(const char* name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

void DeleteAlarmStore() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
}

long long ReadStoredDword(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -1;
    DWORD value = 0, size = sizeof(value), type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<long long>(value) : -1;
}

void WriteStoredDword(const char* name, DWORD value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

CBoxWatcher::CBoxWatcher(const char* caption, int answer)
    : m_strCaption(caption), m_nAnswer(answer), m_bQuit(0), m_hThread(nullptr) {
    InitializeCriticalSection(&m_lock);
    m_hThread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

CBoxWatcher::~CBoxWatcher() {
    InterlockedExchange(&m_bQuit, 1);
    WaitForSingleObject(m_hThread, INFINITE);
    CloseHandle(m_hThread);
    DeleteCriticalSection(&m_lock);
}

std::vector<std::string> CBoxWatcher::Texts() {
    EnterCriticalSection(&m_lock);
    std::vector<std::string> copy = m_texts;
    LeaveCriticalSection(&m_lock);
    return copy;
}

DWORD WINAPI CBoxWatcher::Run(LPVOID param) {
    CBoxWatcher* self = static_cast<CBoxWatcher*>(param);
    static char s_text[65536];
    while (!self->m_bQuit) {
        HWND box = FindWindowA("#32770", self->m_strCaption.c_str());
        // Only a box that is up and answering: its text is in place by then.
        if (box != nullptr && IsWindowVisible(box)) {
            s_text[0] = '\0';
            GetDlgItemTextA(box, 0xFFFF, s_text, sizeof(s_text));
            EnterCriticalSection(&self->m_lock);
            self->m_texts.push_back(s_text);
            LeaveCriticalSection(&self->m_lock);
            PostMessageA(box, WM_COMMAND, self->m_nAnswer, 0);
            // Wait for this box to go before looking for the next one.
            for (int i = 0; i < 500 && IsWindow(box) && !self->m_bQuit; ++i)
                Sleep(10);
        }
        Sleep(10);
    }
    return 0;
}
