#include "alarm/settings.h"

#include <climits>
#include <cstddef>
#include <new>

#include "alarm/registry_key.h"

const char kSettingsBasePath[] = "Software\\quillory\\Vorimo\\Clock";
const char kSettingsSubKey[] = "Clock1";

namespace {
// One registry value of a record: its name, where it lives in the record, its default, and the
// range outside which a stored value reads as the default.
struct ValueSpec {
    const char* name;
    size_t offset;
    int defaultValue;
    int low = INT_MIN;
    int high = INT_MAX;
};

const ValueSpec kWindowValues[] = {
    {"LEFT", offsetof(WindowSettings, LEFT), 0},
    {"TOP", offsetof(WindowSettings, TOP), 0},
    {"SIZE", offsetof(WindowSettings, SIZE), 0},
    {"TOPMOST", offsetof(WindowSettings, TOPMOST), 0},
    {"LOCK", offsetof(WindowSettings, LOCK), 0},
    {"DPIAWARE", offsetof(WindowSettings, DPIAWARE), 0, 0, 1},
};

// WAVE is handled before MESSAGE, although MESSAGE comes first in the record.
const ValueSpec kAlarmValues[] = {
    {"ZIHOU", offsetof(AlarmSettings, ZIHOU), 1},
    {"ALARM", offsetof(AlarmSettings, ALARM), 0},
    {"ALARMTYPE", offsetof(AlarmSettings, ALARMTYPE), 0},
    {"HOURS", offsetof(AlarmSettings, HOURS), 0},
    {"MINUTES", offsetof(AlarmSettings, MINUTES), 0},
    {"MINUTES2", offsetof(AlarmSettings, MINUTES2), 0},
    {"WAVE", offsetof(AlarmSettings, WAVE), 0},
    {"MESSAGE", offsetof(AlarmSettings, MESSAGE), 0},
    {"QUIET", offsetof(AlarmSettings, QUIET), 0, 0, 1},
    {"QUIETFROM", offsetof(AlarmSettings, QUIETFROM), 22, 0, 23},
    {"QUIETTO", offsetof(AlarmSettings, QUIETTO), 7, 0, 23},
    {"SNOOZE", offsetof(AlarmSettings, SNOOZE), kDefaultSnooze, 1, 60},
};

template <size_t N> void LoadRecord(void* record, const ValueSpec (&values)[N]) {
    char* base = static_cast<char*>(record);
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    for (const ValueSpec& v : values) {
        int* field = reinterpret_cast<int*>(base + v.offset);
        if (key != nullptr)
            key->ReadDword(kSettingsSubKey, v.name, field, v.defaultValue);
        if (key == nullptr || *field < v.low || *field > v.high)
            *field = v.defaultValue;
    }
    delete key;
}

// Each value is written on its own: one failure does not stop the others.
template <size_t N> void SaveRecord(const void* record, const ValueSpec (&values)[N]) {
    const char* base = static_cast<const char*>(record);
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    if (key == nullptr)
        return;
    for (const ValueSpec& v : values)
        key->WriteDword(kSettingsSubKey, v.name, reinterpret_cast<const int*>(base + v.offset));
    delete key;
}
} // namespace

void LoadWindowSettings(WindowSettings* record) {
    LoadRecord(record, kWindowValues);
}
void SaveWindowSettings(const WindowSettings* record) {
    SaveRecord(record, kWindowValues);
}
void LoadAlarmSettings(AlarmSettings* record) {
    LoadRecord(record, kAlarmValues);
}
void SaveAlarmSettings(const AlarmSettings* record) {
    SaveRecord(record, kAlarmValues);
}
