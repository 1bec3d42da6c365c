// The two settings records and their registry load and save.
#ifndef CLOCK_ALARM_SETTINGS_H
#define CLOCK_ALARM_SETTINGS_H

// Fields are named after their registry values.
struct WindowSettings {
    int LEFT;
    int TOP;
    int SIZE;
    int TOPMOST;
    int LOCK;
    // 1: LEFT and TOP are in the pixels of a per-monitor aware program. Earlier versions were not
    // DPI-aware and wrote none: their LEFT and TOP are in the 96-DPI view Windows gave them.
    int DPIAWARE = 0;
};

// Ten minutes: the snooze most alarm clocks and phones are sold with, long enough to matter, short
// enough that the user is not late.
enum { kDefaultSnooze = 10 };

struct AlarmSettings {
    int ZIHOU;
    int ALARM;
    int ALARMTYPE;
    int HOURS;
    int MINUTES;
    int MINUTES2;
    int MESSAGE;
    int WAVE;
    // Hours QUIETFROM up to QUIETTO (0 to 23) strike no chime while QUIET is 1; a record made in
    // code without them has quiet hours off.
    int QUIET = 0;
    int QUIETFROM = 22;
    int QUIETTO = 7;
    // Minutes (1 to 60) after which the alarm box's snooze rings the alarm again.
    int SNOOZE = kDefaultSnooze;
};

extern const char kSettingsBasePath[];
extern const char kSettingsSubKey[];

void LoadWindowSettings(WindowSettings* record);
void SaveWindowSettings(const WindowSettings* record);
void LoadAlarmSettings(AlarmSettings* record);
void SaveAlarmSettings(const AlarmSettings* record);

#endif
