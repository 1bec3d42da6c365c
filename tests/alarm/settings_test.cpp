// Registry values of other types and sizes are not settings.
#include <windows.h>

#include <gtest/gtest.h>

#include "alarm/settings.h"

// Every type at every size up to eight bytes, loaded over 0x55AA55AA: only a REG_DWORD of four
// bytes is read; anything else (the text "0", two bytes of binary, a QWORD) leaves the default.
TEST(Settings, OnlyFourByteDwordsAreRead) {
    const DWORD types[] = {REG_DWORD, REG_BINARY, REG_SZ,   REG_EXPAND_SZ,       REG_MULTI_SZ,
                           REG_QWORD, REG_NONE,   REG_LINK, REG_DWORD_BIG_ENDIAN};
    const BYTE data[8] = {'0', 0, 0, 0, 0, 0, 0, 0};
    for (DWORD type : types) {
        for (DWORD size = 0; size <= sizeof(data); ++size) {
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
            HKEY key;
            ASSERT_EQ(ERROR_SUCCESS,
                      RegCreateKeyExA(HKEY_CURRENT_USER,
                                      "Software\\quillory\\Vorimo\\Clock\\Clock1", 0, nullptr, 0,
                                      KEY_ALL_ACCESS, nullptr, &key, nullptr));
            RegSetValueExA(key, "ALARM", 0, type, data, size);
            RegSetValueExA(key, "ZIHOU", 0, type, data, size);
            RegCloseKey(key);
            AlarmSettings alarm;
            alarm.ALARM = alarm.ZIHOU = 0x55AA55AA;
            LoadAlarmSettings(&alarm);
            const bool read = type == REG_DWORD && size == 4;
            EXPECT_EQ(read ? '0' : 0, alarm.ALARM) << type << " " << size;
            EXPECT_EQ(read ? '0' : 1, alarm.ZIHOU) << type << " " << size;
        }
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
}
