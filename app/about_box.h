// The version information box.
#ifndef CLOCK_APP_ABOUT_BOX_H
#define CLOCK_APP_ABOUT_BOX_H

#include <windows.h>

void ShowAboutBox(HINSTANCE instance, HWND owner);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
