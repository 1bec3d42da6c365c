// The clock's one window: start-up, shutdown, timer, pop-up menu and commands.
#ifndef CLOCK_APP_MAIN_WINDOW_H
#define CLOCK_APP_MAIN_WINDOW_H

#include <windows.h>

#include "alarm/clock_state.h"

extern HMENU g_hMenu;
extern HMENU g_hPopupMenu;
extern HMENU g_hSizeMenu;
extern UINT_PTR g_uTimerId;

enum { kClockTimerId = 1, kClockTimerMs = 125 };
// Positions in the pop-up menu.
enum { kMenuPosSize = 3, kMenuPosTopmost = 5, kMenuPosLock = 6, kMenuPosLogonStart = 7 };

ATOM RegisterClockClass(HINSTANCE instance);
HWND CreateClockWindow(HINSTANCE instance);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void OnCreate(HWND window);
void OnDestroy();
LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
void ChangeSize(int sizeIndex);

#endif
