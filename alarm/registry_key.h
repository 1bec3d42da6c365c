// A key under HKEY_CURRENT_USER whose values are read and written as 32-bit integers.
#ifndef CLOCK_ALARM_REGISTRY_KEY_H
#define CLOCK_ALARM_REGISTRY_KEY_H

#include <windows.h>

class CRegistryKey {
  public:
    explicit CRegistryKey(const char* basePath);
    virtual ~CRegistryKey();

    // Stores defaultValue in *out when the key or the value cannot be read, or the value is not
    // a REG_DWORD of four bytes.
    void ReadDword(const char* subKey, const char* valueName, int* out, int defaultValue);
    // Creates the key when missing; returns the status of the final close (0 on success).
    LONG WriteDword(const char* subKey, const char* valueName, const int* value);

  private:
    // Base path followed by a backslash, or empty when it did not fit.
    char* m_pszBasePath;

    // Fills a fresh zeroed buffer with the full key path; null when it would not fit.
    char* MakeKeyPath(const char* subKey) const;
};

#endif
