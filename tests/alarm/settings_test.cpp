// Registry values of other types and sizes read back as the store promises.
#include <gtest/gtest.h>

#include <random>

#include "alarm/settings.h"
#include "unit_support.h"

// Loaded over 0x55AA55AA, a field takes its default when the value is missing or longer than
// four bytes; a shorter value fills its low bytes only.
TEST(Settings, Fuzz) {
    const char* names[] = {"ZIHOU",   "ALARM",    "ALARMTYPE", "HOURS",
                           "MINUTES", "MINUTES2", "MESSAGE",   "WAVE"};
    const DWORD types[] = {REG_DWORD, REG_BINARY, REG_QWORD, REG_NONE, REG_DWORD_BIG_ENDIAN};
    std::mt19937 random(5);
    for (int round = FuzzCount(60); round > 0; --round) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS,
                  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\quillory\\Vorimo\\Clock\\Clock1", 0,
                                  nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        AlarmSettings loaded;
        int expected[8];
        for (int i = 0; i < 8; ++i) {
            unsigned char data[12];
            for (unsigned char& b : data)
                b = static_cast<unsigned char>(random());
            const DWORD size = round % 7 == 0 ? 4 : random() % 10;
            const bool missing = random() % 8 == 0;
            expected[i] = (&loaded.ZIHOU)[i] = 0x55AA55AA;
            if (missing || size > 4)
                expected[i] = i == 0 ? 1 : 0;
            else
                memcpy(&expected[i], data, size);
            if (!missing)
                RegSetValueExA(key, names[i], 0, types[random() % 5], data, size);
        }
        RegCloseKey(key);
        LoadAlarmSettings(&loaded);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(expected[i], (&loaded.ZIHOU)[i]) << names[i];
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
}
