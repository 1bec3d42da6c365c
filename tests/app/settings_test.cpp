// The registry store against Wine's real registry.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/registry_key.h"
#include "app/settings.h"

namespace {
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

void DeleteStore() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
}

class SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override { DeleteStore(); }
    void TearDown() override { DeleteStore(); }
};

DWORD ReadRawDword(const char* name, DWORD* type) {
    HKEY key;
    DWORD value = 0xDEADBEEF, size = sizeof(value);
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(4u, size);
    RegCloseKey(key);
    return value;
}

void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}
} // namespace

TEST_F(SettingsStore, DefaultsWithoutKey) {
    WindowSettings w = {7, 7, 7, 7, 7};
    LoadWindowSettings(&w);
    EXPECT_EQ(0, w.LEFT);
    EXPECT_EQ(0, w.TOP);
    EXPECT_EQ(0, w.SIZE);
    EXPECT_EQ(0, w.TOPMOST);
    EXPECT_EQ(0, w.LOCK);
    AlarmSettings a = {7, 7, 7, 7, 7, 7, 7, 7};
    LoadAlarmSettings(&a);
    EXPECT_EQ(1, a.ZIHOU);
    EXPECT_EQ(0, a.ALARM);
    EXPECT_EQ(0, a.ALARMTYPE);
    EXPECT_EQ(0, a.HOURS);
    EXPECT_EQ(0, a.MINUTES);
    EXPECT_EQ(0, a.MINUTES2);
    EXPECT_EQ(0, a.MESSAGE);
    EXPECT_EQ(0, a.WAVE);
}

TEST_F(SettingsStore, FirstSaveCreatesKeyWithClassString) {
    WindowSettings w = {10, 20, 2, 1, 1};
    SaveWindowSettings(&w);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key));
    char cls[64] = {};
    DWORD clsLen = sizeof(cls);
    DWORD values = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(key, cls, &clsLen, nullptr, nullptr, nullptr, nullptr,
                                              &values, nullptr, nullptr, nullptr, nullptr));
    RegCloseKey(key);
    EXPECT_STREQ("Clock1", cls);
    EXPECT_EQ(5u, values);
    const char* names[] = {"LEFT", "TOP", "SIZE", "TOPMOST", "LOCK"};
    const DWORD expected[] = {10, 20, 2, 1, 1};
    for (int i = 0; i < 5; ++i) {
        DWORD type = 0;
        EXPECT_EQ(expected[i], ReadRawDword(names[i], &type)) << names[i];
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << names[i];
    }
}

TEST_F(SettingsStore, RoundTripBothRecordsWithNegativePosition) {
    WindowSettings w = {-300, -42, 5, 1, 0};
    SaveWindowSettings(&w);
    AlarmSettings a = {0, 1, 1, 23, 59, 45, 1, 9};
    SaveAlarmSettings(&a);
    WindowSettings w2 = {};
    LoadWindowSettings(&w2);
    EXPECT_EQ(-300, w2.LEFT);
    EXPECT_EQ(-42, w2.TOP);
    EXPECT_EQ(5, w2.SIZE); // not validated by the store
    EXPECT_EQ(1, w2.TOPMOST);
    EXPECT_EQ(0, w2.LOCK);
    AlarmSettings a2 = {};
    LoadAlarmSettings(&a2);
    EXPECT_EQ(0, a2.ZIHOU);
    EXPECT_EQ(1, a2.ALARM);
    EXPECT_EQ(1, a2.ALARMTYPE);
    EXPECT_EQ(23, a2.HOURS);
    EXPECT_EQ(59, a2.MINUTES);
    EXPECT_EQ(45, a2.MINUTES2);
    EXPECT_EQ(1, a2.MESSAGE);
    EXPECT_EQ(9, a2.WAVE);
}

TEST_F(SettingsStore, WrongSizedValuesReadAsDefaultOrLowBytes) {
    const char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    WriteRaw("ZIHOU", REG_BINARY, eight, sizeof(eight)); // too long: default 1
    const char two[2] = {0x34, 0x12};
    WriteRaw("HOURS", REG_BINARY, two, sizeof(two)); // shorter: low bytes only
    CRegistryKey key(kSettingsBasePath);
    int v = 0x55AA55AA;
    key.ReadDword(kSettingsSubKey, "HOURS", &v, 0);
    EXPECT_EQ(0x55AA1234, v);
    AlarmSettings a = {};
    LoadAlarmSettings(&a);
    EXPECT_EQ(1, a.ZIHOU);
}

TEST_F(SettingsStore, TrailingBackslashInBasePathGetsNoSecondOne) {
    CRegistryKey key("Software\\quillory\\Vorimo\\Clock\\");
    int value = 77;
    EXPECT_EQ(ERROR_SUCCESS, key.WriteDword("Clock1", "LEFT", &value));
    DWORD type = 0;
    EXPECT_EQ(77u, ReadRawDword("LEFT", &type));
    int back = 0;
    key.ReadDword("Clock1", "LEFT", &back, -1);
    EXPECT_EQ(77, back);
}

TEST_F(SettingsStore, OverlongBasePathNeitherReadsNorWrites) {
    std::string longPath(300, 'x');
    CRegistryKey key(longPath.c_str());
    int value = 5;
    EXPECT_NE(ERROR_SUCCESS, key.WriteDword("Clock1", "LEFT", &value));
    int out = 0;
    key.ReadDword("Clock1", "LEFT", &out, 123);
    EXPECT_EQ(123, out);
}
