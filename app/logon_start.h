// Starting with Windows: the value PolkaminaClock under the user's Run key, which Windows runs at
// logon. It holds the full path of clock.exe in double quotes; only HKEY_CURRENT_USER is touched.
// Task Manager's Startup tab (Windows 8 and later) disables it without touching it: a value of the
// same name under Explorer\StartupApproved\Run says so.
#ifndef CLOCK_APP_LOGON_START_H
#define CLOCK_APP_LOGON_START_H

#include <windows.h>

// Whether a Run value, as its read returned it (status, type, `size` bytes of data that need not
// end in a terminator), starts the program at `programPath`: a REG_SZ holding that path, quoted or
// not, alone or before arguments. Windows paths compare without regard to case.
int RunValueStartsProgram(LONG status, DWORD type, const wchar_t* data, DWORD size,
                          const wchar_t* programPath);
// Whether the StartupApproved value, as its read returned it, says the user disabled the start
// in Task Manager: binary data whose first byte is odd. Without it the start is enabled.
int StartupDisabled(LONG status, DWORD type, const BYTE* data, DWORD size);

// Whether the Run value now starts this very clock.exe, and Task Manager has not disabled it.
int LogonStartIsOn();
// Writes (on) or deletes (off) the value, and clears Task Manager's mark so that the choice in
// the menu holds; 1 on success, 0 when the registry refused.
int SetLogonStart(int on);

#endif
