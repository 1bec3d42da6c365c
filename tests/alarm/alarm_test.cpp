// The alarm's and the chime's decisions tick by tick, nothing after shutdown, and the message
// file read back whole, cut or damaged.
#include <gtest/gtest.h>

#include <vector>

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "alarm/message_file.h"
#include "app/main_window.h"
#include "unit_support.h"

namespace {
enum { kStop = kAlarmStopSound, kStart = kAlarmStartSound, kOff = kAlarmDisarm };
enum { kShow = kAlarmShowMessage, kMissed = kAlarmMissed };
enum { kBase = 1000, kMinute = 60000, kAbs = kAlarmAbsolute, kRel = kAlarmRelative };
// The local minute of hh:mm on day d of the table.
constexpr long long At(int d, int h, int m) {
    return ((30417LL + d) * 24 + h) * 60 + m;
}
} // namespace

// Ticks one after the other (local minute, tick count, box open) and what each asks for: alarms
// on time, asleep over their time, clocks moved forward and back, over midnight, days asleep.
TEST(AlarmDecision, EachTickAsksForTheRightActions) {
    struct Tick {
        long long minute;
        DWORD ms;
        unsigned actions;
        int box = 0;
    };
    const struct {
        const char* story;
        int type, alarm, message, hours, minutes2;
        std::vector<Tick> ticks;
    } rows[] = {
        // One story a line.
        // clang-format off
        {"on time, then its minute ends", kAbs, 1, 1, 7, 0,
         {{At(0, 7, 29), 0, 0}, {At(0, 7, 30), 0, kStart | kShow}, {At(0, 7, 30), 0, 0},
          {At(0, 7, 31), 0, kStop}, {At(0, 7, 32), 0, 0}}},
        {"started after it", kAbs, 1, 1, 7, 0, {{At(0, 7, 31), 0, 0}, {At(0, 8, 0), 0, 0}}},
        {"asleep over it, awake 4 minutes late: rings with its box", kAbs, 1, 0, 7, 0,
         {{At(0, 7, 29), 0, 0}, {At(0, 7, 34), 0, kStart | kShow}, {At(0, 7, 35), 0, kStop}}},
        {"an hour late still rings", kAbs, 1, 0, 7, 0,
         {{At(0, 7, 0), 0, 0}, {At(0, 8, 30), 0, kStart | kShow}}},
        {"later: the box alone, once", kAbs, 1, 0, 7, 0,
         {{At(0, 7, 29), 0, 0}, {At(0, 8, 31), 0, kMissed | kShow}, {At(0, 8, 32), 0, 0}}},
        {"moved back over it: not twice that day", kAbs, 1, 1, 7, 0,
         {{At(0, 7, 30), 0, kStart | kShow}, {At(0, 7, 31), 0, kStop}, {At(0, 7, 29), 0, 0},
          {At(0, 7, 30), 0, 0}, {At(0, 7, 31), 0, 0}, {At(1, 7, 30), 0, kStart | kShow}}},
        {"over midnight", kAbs, 1, 0, 23, 0,
         {{At(0, 23, 20), 0, 0}, {At(1, 0, 10), 0, kStart | kShow}, {At(1, 0, 11), 0, kStop}}},
        {"days asleep: the last one missed, the next on time", kAbs, 1, 0, 7, 0,
         {{At(0, 6, 0), 0, 0}, {At(3, 7, 0), 0, kMissed | kShow}, {At(3, 7, 30), 0, kStart}}},
        {"a box left open: the next day rings without a second box", kAbs, 1, 1, 7, 0,
         {{At(0, 7, 30), 0, kStart | kShow}, {At(0, 7, 31), 0, kStop, 1},
          {At(1, 7, 30), 0, kStart, 1}, {At(1, 7, 30), 0, 0}, {At(1, 7, 31), 0, kStop}}},
        {"late under an open box", kAbs, 1, 1, 7, 0,
         {{At(0, 7, 0), 0, 0}, {At(0, 7, 34), 0, kStart, 1}}},
        {"not enabled", kAbs, 0, 1, 7, 0, {{At(0, 7, 29), 0, 0}, {At(0, 7, 30), 0, 0}}},
        {"relative: a minute of sound from its start", kRel, 1, 1, 7, 1,
         {{0, kBase + kMinute - 1, 0}, {0, kBase + kMinute, kStart | kShow},
          {0, kBase + 2 * kMinute - 1, 0}, {0, kBase + 2 * kMinute, kStop | kOff}}},
        {"relative, late first tick under an open box", kRel, 1, 1, 7, 3,
         {{0, kBase + 4 * kMinute, kStart, 1}, {0, kBase + 4 * kMinute + 10, 0},
          {0, kBase + 5 * kMinute, kStop | kOff}}},
        {"relative, an hour late", kRel, 1, 0, 7, 1, {{0, kBase + 61 * kMinute, kStart}}},
        {"relative, later: the box alone", kRel, 1, 0, 7, 1,
         {{0, kBase + 62 * kMinute, kOff | kMissed | kShow}}},
        {"relative, no delay", kRel, 1, 1, 7, 0, {{0, kBase + kMinute, 0}}},
        {"relative, too long for the tick count", kRel, 1, 1, 7, 0x7FFFFFFF, {{0, kBase - 1, 0}}},
        {"an unknown type", 2, 1, 1, 7, 1, {{At(0, 7, 30), kBase + kMinute, 0}}},
        // clang-format on
    };
    for (const auto& r : rows) {
        AlarmSettings s = {1, r.alarm, r.type, r.hours, 30, r.minutes2, r.message, 0};
        AlarmMemory m;
        for (const Tick& t : r.ticks)
            EXPECT_EQ(t.actions, DecideAlarmTick(&m, &s, t.minute, t.ms, kBase, t.box))
                << r.story << ", tick " << &t - &r.ticks[0];
    }
    EXPECT_EQ(static_cast<unsigned>(kStop | kOff), AlarmAcknowledgeActions(kAlarmRelative));
    EXPECT_EQ(static_cast<unsigned>(kStop), AlarmAcknowledgeActions(kAlarmAbsolute));
}

// The wake the scheduler asks for lands where the decisions above change: the start of a relative
// alarm, the end of its minute counted from its first tick however late, a snooze's ring and its
// end; across the wrap of the tick count; -1 when this tick handles it.
TEST(AlarmDecision, NextEventFallsWhereTheDecisionChanges) {
    const DWORD base = 0xFFFFF000u;
    // ALARM, ringing since, snooze (waiting or ringing since base), the tick: ms after base.
    const int rows[][5] = {
        {1, -1, kSnoozeNone, 57000, 2000},     {1, -1, kSnoozeNone, 58500, 1500},
        {1, -1, kSnoozeNone, 60000, -1},       {1, 69000, kSnoozeNone, 127500, 1500},
        {1, 60000, kSnoozeNone, 119000, 1000}, {0, -1, kSnoozeWaiting, 599300, 700},
        {0, -1, kSnoozeRinging, 59990, 10},    {1, -1, kSnoozeWaiting, 59000, 1000}};
    for (const auto& r : rows) {
        const AlarmSettings s = {1, r[0], kAlarmRelative, 7, 30, 1, 0, 0};
        AlarmMemory m;
        m.ringing = r[1] >= 0, m.ringStart = base + r[1], m.snooze = r[2], m.snoozeAt = base;
        EXPECT_EQ(r[4], AlarmEventMs(&s, &m, base + r[3], base)) << r[1] << " " << r[3];
    }
}

// Nothing runs after shutdown, even a tick still under way in the loop of an alarm box.
TEST(AlarmState, NothingRunsAfterShutdown) {
    g_AlarmSettings = AlarmSettings{1, 1, kAlarmRelative, 0, 0, 1, 0, 0};
    g_dwAlarmBase = GetTickCount() - 10 * 60000;
    g_bClockClosed = 1;
    const SYSTEMTIME noon = {2026, 12, 1, 7, 12, 0, 0, 0}; // the chime's minute
    AlarmTick(noon);
    ChimeTick(noon);
    StartAlarmSound();
    StartChime(0);
    EXPECT_EQ(nullptr, g_pAlarmPlayer);
    EXPECT_EQ(nullptr, g_pChimePlayer);
    g_bClockClosed = 0;
}

// Once at the start of every hour, at most a minute late; never twice for one hour however the
// clock moves; none for the hours a clock jumps over.
TEST(ChimeDecision, OnceAtTheStartOfEveryHour) {
    // zihou, day, hour, minute and the strikes, one tick after the other.
    const int ticks[][5] = {
        {1, 0, 14, 59, 0}, {1, 0, 15, 0, 3}, {1, 0, 15, 0, 0}, {1, 0, 15, 1, 0},  {1, 0, 14, 59, 0},
        {1, 0, 15, 0, 0},  {1, 0, 16, 0, 4}, {0, 0, 16, 1, 0}, {1, 0, 17, 0, 5},  {1, 0, 17, 1, 0},
        {1, 0, 23, 59, 0}, {1, 1, 0, 1, 0},  {1, 1, 0, 0, 12}, {1, 1, 12, 0, 12}, {1, 1, 12, 30, 0},
        {1, 1, 16, 20, 0}, {1, 1, 18, 0, 6}, {1, 3, 13, 0, 1}, {0, 3, 14, 0, 0}};
    long long chimed = kNoChimedHour;
    for (const auto& t : ticks)
        EXPECT_EQ(t[4], ChimeStrikesFor(t[0], At(t[1], t[2], t[3]), &chimed))
            << t[0] << " day " << t[1] << " " << t[2] << ":" << t[3];
    // size, play-throughs, strikes, finished: the medium size plays once.
    const int ends[][4] = {{0, 2, 3, 0},  {0, 3, 3, 1}, {2, 11, 12, 0}, {2, 12, 12, 1},
                           {1, 1, 12, 1}, {5, 1, 3, 0}, {5, 3, 3, 1},   {-1, 2, 3, 0}};
    for (const auto& e : ends)
        EXPECT_EQ(e[3], ChimeFinished(e[0], e[1], e[2])) << e[0] << " " << e[1] << "/" << e[2];
}

// Quiet hours run from QUIETFROM up to QUIETTO, round midnight when QUIETTO comes first.
TEST(ChimeDecision, QuietHoursSilenceFromUpToButNotIncludingTo) {
    // QUIET, QUIETFROM, QUIETTO; for each hour from 0 to 23, whether its chime keeps quiet.
    const struct {
        int quiet, from, to;
        const char* hours;
    } rows[] = {{1, 22, 7, "111111100000000000000011"},  {1, 0, 7, "111111100000000000000000"},
                {1, 23, 0, "000000000000000000000001"},  {1, 9, 17, "000000000111111110000000"},
                {1, 23, 22, "111111111111111111111101"}, {1, 7, 7, "000000000000000000000000"},
                {0, 22, 7, "000000000000000000000000"}};
    for (const auto& r : rows) {
        std::string hours;
        for (int hour = 0; hour < 24; ++hour)
            hours += static_cast<char>('0' + ChimeQuiet(hour, r.quiet, r.from, r.to));
        EXPECT_EQ(r.hours, hours) << r.quiet << " " << r.from << "-" << r.to;
    }
}

// What is read, and whether the caller learns that something of the file was left out.
TEST(MessageFile, ReadInOnePassAndSayWhatWasLeftOut) {
    struct Case {
        const char* file;
        size_t fileSize, bufferSize, maxChars;
        const char* text;
        int read;
    } cases[] = {{"one\r\ntwo\r\n", 10, 64, 64, "one\ntwo\n", kMessageWhole},
                 {"abcdefghij", 10, 5, 64, "abcd", kMessageCut},
                 {"ab\x82\xa0", 4, 4, 64, "ab", kMessageCut},
                 {"ab\x82", 3, 64, 64, "ab", kMessageWhole},
                 {"\x82\xa0\x82\xa2z", 5, 64, 2, "\x82\xa0\x82\xa2", kMessageCut},
                 {"\x82\xa0\x82\xa2", 4, 64, 2, "\x82\xa0\x82\xa2", kMessageWhole},
                 {"ab\0cd\n", 6, 64, 64, "ab", kMessageCut},
                 {"", 0, 64, 64, "", kMessageWhole}};
    const std::string path = TempPath("message.dat");
    for (const Case& c : cases) {
        WriteBytes(path, Bytes(c.file, c.file + c.fileSize));
        char text[80];
        memset(text, 'X', sizeof(text));
        EXPECT_EQ(c.read, ReadMessageText(Wide(path).c_str(), text, c.bufferSize, c.maxChars))
            << c.file;
        EXPECT_STREQ(c.text, text) << c.file;
        EXPECT_EQ('X', text[c.bufferSize]) << c.file;
    }
    char text[4] = "old";
    EXPECT_EQ(kMessageMissing, ReadMessageText(L"Z:/nonexistent/CLOCK.dat", text, 4, 4));
    EXPECT_STREQ("", text);
    // Open elsewhere without sharing: there, but unreadable.
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(kMessageUnreadable, ReadMessageText(Wide(path).c_str(), text, 4, 4));
    CloseHandle(held);
}

// The new text reaches the disk before it replaces the old file, and a replace refused because a
// virus scanner holds the file for a moment is tried again a few times: whether the new text
// won, how many moves were tried, and no new file left beside the old one either way.
TEST(MessageFile, FlushedThenMovedOverTheOldOne) {
    static std::string s_path;
    static int s_flush, s_moves, s_release;
    static DWORD s_error;
    static HANDLE s_held;
    struct Case {
        int flush, release;
        DWORD error;
        int written, moves;
    } cases[] = {{0, 1, 0, 0, 0},                 // a failed flush moves nothing
                 {1, 1, 0, 1, 1},                 // nobody holds the old file
                 {1, 3, 0, 1, 3},                 // held through two tries
                 {1, 9, 0, 0, kMessageMoveTries}, // held throughout
                 {1, 1, ERROR_DISK_FULL, 0, 1}};  // no wait mends this one
    s_path = TempPath("message.dat");
    for (const Case& c : cases) {
        WriteBytes(s_path, Bytes{'o', 'l', 'd'});
        s_flush = c.flush, s_moves = 0, s_release = c.release, s_error = c.error;
        // As a scanner opens it: others may read and write it, but not replace it.
        s_held = CreateFileA(s_path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
        auto flush = [](FILE* file) {
            const Bytes old = ReadBytes(s_path);
            return FlushToDisk(file) && old == Bytes{'o', 'l', 'd'} ? s_flush : 0;
        };
        auto move = [](const wchar_t* from, const wchar_t* to) {
            if (++s_moves == s_release)
                CloseHandle(s_held), s_held = nullptr;
            return s_error != 0 ? s_error : MoveOverFile(from, to);
        };
        EXPECT_EQ(c.written, WriteMessageFile(Wide(s_path).c_str(), "new", flush, move))
            << c.release;
        CloseHandle(s_held);
        const Bytes now = ReadBytes(s_path);
        EXPECT_EQ(c.written ? "new" : "old", std::string(now.begin(), now.end())) << c.release;
        EXPECT_EQ(c.moves, s_moves) << c.release;
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
                  GetFileAttributesW((Wide(s_path) + kMessageTempSuffix).c_str()));
    }
}

// Which CLOCK.dat a clock uses, by the folders it lives and starts in and the files there.
TEST(MessageFile, BesideTheProgramElseWhereItStarts) {
    static const wchar_t* s_there;
    struct Case {
        const wchar_t *program, *current, *there, *chosen;
    } cases[] = {
        {L"C:\\Clock", L"C:\\Clock", L"C:\\Clock\\CLOCK.dat", L"C:\\Clock\\CLOCK.dat"}, // click
        {L"C:\\Clock", L"C:\\Windows\\system32", L"", L"C:\\Clock\\CLOCK.dat"}, // logon, none yet
        {L"C:\\Clock", L"D:\\Work", L"D:\\Work\\CLOCK.dat", L"D:\\Work\\CLOCK.dat"}, // shortcut
        {L"C:\\Clock", L"D:\\Work", L"D:\\Work\\CLOCK.dat|C:\\Clock\\CLOCK.dat",     // both: the
         L"C:\\Clock\\CLOCK.dat"},                                                   // program's
        {L"C:", L"D:\\", L"", L"C:\\CLOCK.dat"}, // roots: the program's as its path gives it
        {L"C:\\Café 時計", L"D:\\", L"", L"C:\\Café 時計\\CLOCK.dat"}, // any code page's letters
        {L"", L"D:\\Work", L"", L"D:\\Work\\CLOCK.dat"}, // the program's folder is unknown
    };
    for (const Case& c : cases) {
        s_there = c.there;
        auto exists = [](const wchar_t* path) {
            return static_cast<int>(
                (std::wstring(L"|") + s_there + L"|").find(std::wstring(L"|") + path + L"|") !=
                std::wstring::npos);
        };
        wchar_t chosen[kMessagePathSize];
        ChooseMessageFile(c.program, c.current, exists, chosen, kMessagePathSize);
        EXPECT_EQ(std::wstring(c.chosen), chosen);
    }
    // Refused or held, a file may be there; a drive that is gone (a stick, a share) holds none.
    EXPECT_EQ(2, FileMayBeThere(ERROR_ACCESS_DENIED) + FileMayBeThere(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(0, FileMayBeThere(ERROR_NOT_READY) + FileMayBeThere(ERROR_BAD_NETPATH) +
                     FileMayBeThere(ERROR_FILE_NOT_FOUND));
}
