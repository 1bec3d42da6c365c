// Shift-JIS to UTF-16 and back under code page 932 whatever the system's is; what 932 cannot hold
// is refused, never written as '?'.
#include <gtest/gtest.h>

#include <string.h>

#include "platform/wide_text.h"

// Shift-JIS in, wide out, and back to the same bytes; a buffer one short fails whole.
TEST(WideText, ShiftJisRoundTripsByteForByteAndNeverHalfFits) {
    const struct {
        const char* sjis;
        const wchar_t* wide;
    } rows[] = {{"", L""},
                {"07:30 のアラーム", L"07:30 \x306e\x30a2\x30e9\x30fc\x30e0"},
                {"\x95\x5c\x83\x5c", L"\x8868\x30bd"}, // 表ソ: trail bytes 0x5C
                {"a\r\nb", L"a\r\nb"}};
    for (const auto& r : rows) {
        wchar_t wide[64];
        const int n = static_cast<int>(wcslen(r.wide));
        EXPECT_EQ(n, ShiftJisToWide(r.sjis, wide, 64)) << r.sjis;
        EXPECT_STREQ(r.wide, wide) << r.sjis;
        char back[64];
        EXPECT_EQ(1, WideToShiftJis(r.wide, back, 64)) << r.sjis;
        EXPECT_STREQ(r.sjis, back);
        EXPECT_EQ(0, ShiftJisToWide(r.sjis, wide, n)) << "one short: " << r.sjis;
        EXPECT_STREQ(L"", wide);
        const int bytes = static_cast<int>(strlen(r.sjis));
        EXPECT_EQ(0, WideToShiftJis(r.wide, back, bytes)) << "one short: " << r.sjis;
        EXPECT_STREQ("", back);
    }
    CWideText title("ポルカミーナ・アナログ時計");
    EXPECT_STREQ(L"\x30dd\x30eb\x30ab\x30df\x30fc\x30ca\x30fb\x30a2\x30ca\x30ed\x30b0\x6642\x8a08",
                 title);
    std::string longText(3000, 'x');
    EXPECT_EQ(3000u, wcslen(CWideText(longText.c_str())));
}

// Characters code page 932 has no bytes for, nor a best fit that would change the text.
TEST(WideText, WhatShiftJisCannotHoldIsRefused) {
    const wchar_t* rows[] = {L"\xd83d\xde00", L"caf\x00e9", L"a\x20ac", L"\xd800"};
    for (const wchar_t* r : rows) {
        char out[16] = "unchanged";
        EXPECT_EQ(0, WideToShiftJis(r, out, sizeof(out))) << static_cast<int>(r[0]);
        EXPECT_STREQ("", out);
    }
}
