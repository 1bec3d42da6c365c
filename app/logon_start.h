// Starting with Windows: the value PolkaminaClock under the user's Run key, which Windows runs at
// logon. It holds the full path of clock.exe in double quotes; only HKEY_CURRENT_USER is touched.
#ifndef CLOCK_APP_LOGON_START_H
#define CLOCK_APP_LOGON_START_H

#include <windows.h>

// Whether a Run value, as its read returned it (status, type, `size` bytes of data that need not
// end in a zero), starts the program at `programPath`: a REG_SZ holding that path, quoted or not,
// alone or before arguments. Windows paths compare without regard to case.
int RunValueStartsProgram(LONG status, DWORD type, const char* data, DWORD size,
                          const char* programPath);

// Whether the Run value now starts this very clock.exe.
int LogonStartIsOn();
// Writes (on) or deletes (off) the value; 1 on success, 0 when the registry refused.
int SetLogonStart(int on);

#endif
