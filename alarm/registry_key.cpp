#include "alarm/registry_key.h"

#include <cstring>
#include <new>

namespace {
const size_t kPathChars = 260;
}

CRegistryKey::CRegistryKey(const char* basePath) {
    m_pszBasePath = new (std::nothrow) char[kPathChars];
    if (m_pszBasePath == nullptr)
        return;
    memset(m_pszBasePath, 0, kPathChars);
    size_t len = basePath ? strlen(basePath) : 0;
    // The path plus the added backslash must leave room for the terminator.
    if (len + 2 > kPathChars)
        return;
    memcpy(m_pszBasePath, basePath, len);
    if (len == 0 || m_pszBasePath[len - 1] != '\\')
        m_pszBasePath[len] = '\\';
}

CRegistryKey::~CRegistryKey() {
    delete[] m_pszBasePath;
    m_pszBasePath = nullptr;
}

char* CRegistryKey::MakeKeyPath(const char* subKey) const {
    if (m_pszBasePath == nullptr || m_pszBasePath[0] == '\0')
        return nullptr;
    char* path = new (std::nothrow) char[kPathChars];
    if (path == nullptr)
        return nullptr;
    memset(path, 0, kPathChars);
    size_t base = strlen(m_pszBasePath);
    size_t sub = strlen(subKey);
    if (base + sub + 1 > kPathChars) {
        delete[] path;
        return nullptr;
    }
    memcpy(path, m_pszBasePath, base);
    memcpy(path + base, subKey, sub);
    return path;
}

void CRegistryKey::ReadDword(const char* subKey, const char* valueName, int* out,
                             int defaultValue) {
    char* path = MakeKeyPath(subKey);
    HKEY key = nullptr;
    LONG status = ERROR_OUTOFMEMORY;
    if (path != nullptr)
        status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    DWORD type = REG_NONE, value = 0, size = sizeof(value);
    if (status == ERROR_SUCCESS)
        status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                  &size);
    // Only a four-byte REG_DWORD is a setting: text or a short binary value read as raw bytes
    // would arm an alarm or pick a size nobody chose.
    if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value))
        *out = static_cast<int>(value);
    else
        *out = defaultValue;
    if (key != nullptr)
        RegCloseKey(key);
    delete[] path;
}

LONG CRegistryKey::WriteDword(const char* subKey, const char* valueName, const int* value) {
    char* path = MakeKeyPath(subKey);
    if (path == nullptr)
        return ERROR_OUTOFMEMORY;
    HKEY key = nullptr;
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        key = nullptr;
        status = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, const_cast<char*>(subKey),
                                 REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (status != ERROR_SUCCESS)
            key = nullptr;
    }
    delete[] path;
    if (key == nullptr)
        return status;
    RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value),
                   sizeof(*value));
    return RegCloseKey(key);
}
