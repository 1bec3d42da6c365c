// Small window, menu and text utilities used across the program.
#ifndef CLOCK_APP_WINDOW_UTILS_H
#define CLOCK_APP_WINDOW_UTILS_H

#include <windows.h>
#include <stddef.h>

// Both return a shared static buffer that the next call overwrites.
char* GetProgramDirectory();
char* FormatString(const char* format, ...);

// The directory of the program, without a trailing backslash: taken from a command line that
// starts with the program's full path in double quotes, else from the module's own file name.
// Writes at most outSize bytes, terminator included.
void ProgramDirectoryFrom(const char* commandLine, const char* modulePath, char* out,
                          size_t outSize);

void CenterWindow(HWND window);
void SetClientSize(HWND window, int width, int height);
void SetTopmost(HWND window, int on);
void UncheckAllMenuItems(HMENU menu);
// Returns 1 when the item is now checked, 0 when it is now unchecked.
int ToggleMenuCheck(HMENU menu, UINT position);

#endif
