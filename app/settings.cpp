#include "app/settings.h"

#include <new>

#include "app/registry_key.h"

const char kSettingsBasePath[] = "Software\\quillory\\Vorimo\\Clock";
const char kSettingsSubKey[] = "Clock1";

void LoadWindowSettings(WindowSettings* r) {
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    if (key == nullptr) {
        *r = WindowSettings{0, 0, 0, 0, 0};
        return;
    }
    key->ReadDword(kSettingsSubKey, "LEFT", &r->LEFT, 0);
    key->ReadDword(kSettingsSubKey, "TOP", &r->TOP, 0);
    key->ReadDword(kSettingsSubKey, "SIZE", &r->SIZE, 0);
    key->ReadDword(kSettingsSubKey, "TOPMOST", &r->TOPMOST, 0);
    key->ReadDword(kSettingsSubKey, "LOCK", &r->LOCK, 0);
    delete key;
}

void SaveWindowSettings(const WindowSettings* r) {
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    if (key == nullptr)
        return;
    key->WriteDword(kSettingsSubKey, "LEFT", &r->LEFT);
    key->WriteDword(kSettingsSubKey, "TOP", &r->TOP);
    key->WriteDword(kSettingsSubKey, "SIZE", &r->SIZE);
    key->WriteDword(kSettingsSubKey, "TOPMOST", &r->TOPMOST);
    key->WriteDword(kSettingsSubKey, "LOCK", &r->LOCK);
    delete key;
}

// WAVE is handled before MESSAGE, although MESSAGE comes first in the record.
void LoadAlarmSettings(AlarmSettings* r) {
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    if (key == nullptr) {
        *r = AlarmSettings{1, 0, 0, 0, 0, 0, 0, 0};
        return;
    }
    key->ReadDword(kSettingsSubKey, "ZIHOU", &r->ZIHOU, 1);
    key->ReadDword(kSettingsSubKey, "ALARM", &r->ALARM, 0);
    key->ReadDword(kSettingsSubKey, "ALARMTYPE", &r->ALARMTYPE, 0);
    key->ReadDword(kSettingsSubKey, "HOURS", &r->HOURS, 0);
    key->ReadDword(kSettingsSubKey, "MINUTES", &r->MINUTES, 0);
    key->ReadDword(kSettingsSubKey, "MINUTES2", &r->MINUTES2, 0);
    key->ReadDword(kSettingsSubKey, "WAVE", &r->WAVE, 0);
    key->ReadDword(kSettingsSubKey, "MESSAGE", &r->MESSAGE, 0);
    delete key;
}

void SaveAlarmSettings(const AlarmSettings* r) {
    CRegistryKey* key = new (std::nothrow) CRegistryKey(kSettingsBasePath);
    if (key == nullptr)
        return;
    key->WriteDword(kSettingsSubKey, "ZIHOU", &r->ZIHOU);
    key->WriteDword(kSettingsSubKey, "ALARM", &r->ALARM);
    key->WriteDword(kSettingsSubKey, "ALARMTYPE", &r->ALARMTYPE);
    key->WriteDword(kSettingsSubKey, "HOURS", &r->HOURS);
    key->WriteDword(kSettingsSubKey, "MINUTES", &r->MINUTES);
    key->WriteDword(kSettingsSubKey, "MINUTES2", &r->MINUTES2);
    key->WriteDword(kSettingsSubKey, "WAVE", &r->WAVE);
    key->WriteDword(kSettingsSubKey, "MESSAGE", &r->MESSAGE);
    delete key;
}
