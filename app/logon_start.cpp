#include "app/logon_start.h"

#include <cstring>
#include <new>

namespace {
const char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValueName[] = "PolkaminaClock";
// The longest path Windows knows (32767 characters) in the bytes of a double-byte code page,
// and the value: that path in quotes with its terminator.
const DWORD kPathBytes = 2 * 32768;
const DWORD kValueBytes = kPathBytes + 3;

// Whether `length` bytes of text are the path, compared as the file system compares names:
// character by character, ignoring case (full-width letters too, so not byte by byte).
int SamePath(const char* text, int length, const char* path) {
    const int pathLength = static_cast<int>(strlen(path));
    const int a = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    const int b = MultiByteToWideChar(CP_ACP, 0, path, pathLength, nullptr, 0);
    WCHAR* wide = a > 0 && b > 0 ? new (std::nothrow) WCHAR[a + b] : nullptr;
    int same = 0;
    if (wide != nullptr) {
        MultiByteToWideChar(CP_ACP, 0, text, length, wide, a);
        MultiByteToWideChar(CP_ACP, 0, path, pathLength, wide + a, b);
        same = CompareStringOrdinal(wide, a, wide + a, b, TRUE) == CSTR_EQUAL;
    }
    delete[] wide;
    return same;
}

// The full path of this clock.exe in a fresh buffer (the caller deletes it), or null when it
// cannot be had whole.
char* ProgramPath() {
    char* path = new (std::nothrow) char[kPathBytes];
    if (path == nullptr)
        return nullptr;
    const DWORD n = GetModuleFileNameA(nullptr, path, kPathBytes);
    // A full buffer holds a cut path (without a terminator on older Windows).
    if (n == 0 || n >= kPathBytes) {
        delete[] path;
        return nullptr;
    }
    return path;
}
} // namespace

int RunValueStartsProgram(LONG status, DWORD type, const char* data, DWORD size,
                          const char* programPath) {
    if (status != ERROR_SUCCESS || type != REG_SZ || data == nullptr || programPath == nullptr)
        return 0;
    const size_t length = strnlen(data, size);
    const size_t path = strlen(programPath);
    const size_t quoted = length > 0 && data[0] == '"';
    // The path, its closing quote, then the end or the space before arguments.
    const size_t end = quoted + path + quoted;
    if (path == 0 || length < end || (quoted && data[end - 1] != '"'))
        return 0;
    if (end < length && data[end] != ' ' && data[end] != '\t')
        return 0;
    return SamePath(data + quoted, static_cast<int>(path), programPath);
}

int LogonStartIsOn() {
    char* path = ProgramPath();
    char* value = path != nullptr ? new (std::nothrow) char[kValueBytes] : nullptr;
    HKEY key = nullptr;
    LONG status = ERROR_OUTOFMEMORY;
    DWORD type = REG_NONE, size = kValueBytes;
    if (value != nullptr &&
        RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        status = RegQueryValueExA(key, kRunValueName, nullptr, &type,
                                  reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
    }
    const int on = RunValueStartsProgram(status, type, value, size, path);
    delete[] value;
    delete[] path;
    return on;
}

int SetLogonStart(int on) {
    HKEY key = nullptr;
    LONG status = ERROR_OUTOFMEMORY;
    if (!on) {
        status = RegOpenKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_SET_VALUE, &key);
        if (status == ERROR_SUCCESS) {
            status = RegDeleteValueA(key, kRunValueName);
            RegCloseKey(key);
        }
        // Without the key or the value, nothing starts the clock: what was asked for holds.
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    char* path = ProgramPath();
    char* value = path != nullptr ? new (std::nothrow) char[kValueBytes] : nullptr;
    if (value != nullptr) {
        // Quoted, so that a folder name with spaces is not read as the program and arguments.
        const size_t length = strlen(path);
        value[0] = '"';
        memcpy(value + 1, path, length);
        memcpy(value + 1 + length, "\"", 2);
        status = RegCreateKeyExA(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status =
                RegSetValueExA(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>(length + 3));
            RegCloseKey(key);
        }
    }
    delete[] value;
    delete[] path;
    return status == ERROR_SUCCESS;
}
