// Whether anyone can see the clock, from what Windows tells its window: the session locked or
// not, its remote client connected or not, the session's display on, dimmed or off. Nobody looking,
// the clock paints nothing and wakes only for its chime and its alarm.
#ifndef CLOCK_APP_VISIBILITY_H
#define CLOCK_APP_VISIBILITY_H

#include <windows.h>

// The display's states in its power-setting notice; kDisplayUnknown: a notice about another
// setting, or one too short to say.
enum { kDisplayOff = 0, kDisplayOn = 1, kDisplayDimmed = 2, kDisplayUnknown = -1 };

// Whether the clock can be seen: the session unlocked and the display not off (a dimmed one
// still shows it, and a state we do not know counts as on).
int ClockVisible(int locked, int display);

// The display's state carried by a PBT_POWERSETTINGCHANGE notice (null: none).
int DisplayStateOf(const POWERBROADCAST_SETTING* setting);

// Asks for the session's and the display's notices for window, and gives them back.
void WatchVisibility(HWND window);
void StopWatchingVisibility(HWND window);
// Asks for the session's notices again until that succeeds: a clock started with the session,
// before the services behind them, is refused at first (RPC_S_INVALID_BINDING).
void KeepWatchingSession(HWND window);

// Takes in one message of the window; 1 when it changed whether the clock can be seen.
int NoteVisibilityNotice(UINT message, WPARAM wParam, LPARAM lParam);

// Whether the clock can be seen, from the notices so far.
int ClockVisibleNow();

#endif
