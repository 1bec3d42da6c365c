// The clock beside other programs: the date its tooltip shows.
#include <gtest/gtest.h>

#include "app/date_tip.h"

namespace {

TEST(DateTip, NoZeroPaddingAndTheWeekdayOfSundayToSaturday) {
    struct Row {
        WORD year, month, day, weekday; // weekday 0 is Sunday, as GetLocalTime gives it
        const char* text;
    };
    const Row rows[] = {{2026, 12, 7, 1, "2026年12月7日 (月)"},
                        {2026, 12, 13, 0, "2026年12月13日 (日)"},
                        {2027, 1, 2, 6, "2027年1月2日 (土)"}};
    for (const Row& r : rows) {
        SYSTEMTIME now = {r.year, r.month, r.weekday, r.day, 23, 59, 59, 999};
        char text[kDateTipChars];
        FormatDateTip(now, text);
        EXPECT_STREQ(r.text, text);
    }
}

} // namespace
