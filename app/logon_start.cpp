#include "app/logon_start.h"

#include <cwchar>
#include <new>

namespace {
const wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kApprovedKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const wchar_t kRunValueName[] = L"PolkaminaClock";
// The longest path Windows knows (32767 characters), and the value: that path in quotes with its
// terminator.
const DWORD kPathChars = 32768;
const DWORD kValueChars = kPathChars + 3;

// The full path of this clock.exe in a fresh buffer (the caller deletes it), or null when it
// cannot be had whole.
wchar_t* ProgramPath() {
    wchar_t* path = new (std::nothrow) wchar_t[kPathChars];
    if (path == nullptr)
        return nullptr;
    const DWORD n = GetModuleFileNameW(nullptr, path, kPathChars);
    // A full buffer holds a cut path (without a terminator on older Windows).
    if (n == 0 || n >= kPathChars) {
        delete[] path;
        return nullptr;
    }
    return path;
}

// Reads a value of the user's key into data (size bytes in, bytes read out).
LONG ReadValue(const wchar_t* keyPath, DWORD* type, BYTE* data, DWORD* size) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_SUCCESS) {
        status = RegQueryValueExW(key, kRunValueName, nullptr, type, data, size);
        RegCloseKey(key);
    }
    return status;
}

// Deletes the value; a key or value that is not there counts as deleted.
LONG DeleteValue(const wchar_t* keyPath) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS) {
        status = RegDeleteValueW(key, kRunValueName);
        RegCloseKey(key);
    }
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}
} // namespace

int RunValueStartsProgram(LONG status, DWORD type, const wchar_t* data, DWORD size,
                          const wchar_t* programPath) {
    if (status != ERROR_SUCCESS || type != REG_SZ || data == nullptr || programPath == nullptr)
        return 0;
    const size_t length = wcsnlen(data, size / sizeof(wchar_t));
    const size_t path = wcslen(programPath);
    const size_t quoted = length > 0 && data[0] == L'"';
    // The path, its closing quote, then the end or the space before arguments.
    const size_t end = quoted + path + quoted;
    if (path == 0 || length < end || (quoted && data[end - 1] != L'"'))
        return 0;
    if (end < length && data[end] != L' ' && data[end] != L'\t')
        return 0;
    // As the file system compares names: ignoring case, full-width letters too.
    return CompareStringOrdinal(data + quoted, static_cast<int>(path), programPath,
                                static_cast<int>(path), TRUE) == CSTR_EQUAL;
}

int StartupDisabled(LONG status, DWORD type, const BYTE* data, DWORD size) {
    return status == ERROR_SUCCESS && type == REG_BINARY && data != nullptr && size > 0 &&
           (data[0] & 1) != 0;
}

int LogonStartIsOn() {
    wchar_t* path = ProgramPath();
    wchar_t* value = path != nullptr ? new (std::nothrow) wchar_t[kValueChars] : nullptr;
    LONG status = ERROR_OUTOFMEMORY;
    DWORD type = REG_NONE, size = kValueChars * sizeof(wchar_t);
    if (value != nullptr)
        status = ReadValue(kRunKeyPath, &type, reinterpret_cast<BYTE*>(value), &size);
    int on = RunValueStartsProgram(status, type, value, size, path);
    delete[] value;
    delete[] path;
    BYTE approved[16];
    size = sizeof(approved);
    status = on ? ReadValue(kApprovedKeyPath, &type, approved, &size) : ERROR_SUCCESS;
    return on && !StartupDisabled(status, type, approved, size);
}

int SetLogonStart(int on) {
    // Task Manager's "disabled" would outlast the user's choice here: either way it goes.
    LONG status = DeleteValue(kApprovedKeyPath);
    if (!on)
        return DeleteValue(kRunKeyPath) == ERROR_SUCCESS && status == ERROR_SUCCESS;
    wchar_t* path = ProgramPath();
    wchar_t* value = path != nullptr ? new (std::nothrow) wchar_t[kValueChars] : nullptr;
    if (value != nullptr && status == ERROR_SUCCESS) {
        // Quoted, so that a folder name with spaces is not read as the program and arguments.
        const size_t length = wcslen(path);
        value[0] = L'"';
        wmemcpy(value + 1, path, length);
        wmemcpy(value + 1 + length, L"\"", 2);
        HKEY key = nullptr;
        status = RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status =
                RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                               static_cast<DWORD>((length + 3) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    } else if (status == ERROR_SUCCESS) {
        status = ERROR_OUTOFMEMORY;
    }
    delete[] value;
    delete[] path;
    return status == ERROR_SUCCESS;
}
