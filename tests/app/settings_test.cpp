// Registry values of any type and size read back as the store promises.
#include <gtest/gtest.h>

#include <limits.h>

#include <random>

#include "app/settings.h"
#include "unit_support.h"

namespace {
void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\quillory\\Vorimo\\Clock\\Clock1", 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}
} // namespace

// Loaded over 0x55AA55AA, a field takes its default when the value is missing or longer than
// four bytes; a shorter value fills its low bytes only.
TEST(Settings, Fuzz) {
    const char* names[] = {"ZIHOU",   "ALARM",    "ALARMTYPE", "HOURS",
                           "MINUTES", "MINUTES2", "MESSAGE",   "WAVE"};
    const DWORD types[] = {REG_DWORD, REG_BINARY, REG_SZ, REG_QWORD, REG_MULTI_SZ, REG_NONE};
    std::mt19937 random(5);
    for (int round = FuzzCount(60); round > 0; --round) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
        AlarmSettings loaded;
        int expected[8];
        for (int i = 0; i < 8; ++i) {
            unsigned char data[12];
            for (unsigned char& b : data)
                b = static_cast<unsigned char>(random());
            const DWORD size = round % 7 == 0 ? 4 : random() % 10, type = types[random() % 6];
            const bool missing = random() % 8 == 0;
            // Text is converted on its way in and out: only its safety is checked.
            expected[i] = type == REG_SZ || type == REG_MULTI_SZ ? INT_MIN : 0x55AA55AA;
            (&loaded.ZIHOU)[i] = 0x55AA55AA;
            if (missing || size > 4)
                expected[i] = i == 0 ? 1 : 0;
            else if (expected[i] != INT_MIN)
                memcpy(&expected[i], data, size);
            if (!missing)
                WriteRaw(names[i], type, data, size);
        }
        LoadAlarmSettings(&loaded);
        for (int i = 0; i < 8; ++i)
            EXPECT_TRUE(expected[i] == INT_MIN || expected[i] == (&loaded.ZIHOU)[i]) << names[i];
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
}
