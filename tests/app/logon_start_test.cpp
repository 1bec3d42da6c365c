// Which values under the Run key start this clock, and whether Task Manager disabled it: what the
// mark of "Windows の起動時に開始" shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/logon_start.h"

TEST(LogonStart, MarkedOnlyForAValueThatStartsThisProgram) {
    const std::wstring path = L"C:\\Program Files\\Café 時計ａ\\clock.exe",
                       quoted = L'"' + path + L'"';
    // The status and type of the read, the text and how many of its characters are stored (-1:
    // with a terminator, -2: without), whether the mark shows.
    const std::tuple<LONG, DWORD, std::wstring, int, int> rows[] = {
        {0, REG_SZ, path, -1, 1},
        {0, REG_SZ, quoted, -2, 1},
        {0, REG_SZ, L"\"c:\\PROGRAM FILES\\CAFÉ 時計Ａ\\CLOCK.EXE\"", -1, 1},
        {0, REG_SZ, L"\"C:\\Program Files\\Cafe 時計ａ\\clock.exe\"", -1, 0},
        {0, REG_SZ, quoted, static_cast<int>(quoted.size()) - 1, 0},
        {0, REG_SZ, std::wstring(quoted).replace(3, 1, 1, L'\0'), -2, 0},
        {ERROR_MORE_DATA, REG_SZ, quoted, -1, 0},
        {0, REG_EXPAND_SZ, quoted, -1, 0}};
    for (const auto& [status, type, text, stored, on] : rows) {
        const DWORD size = 2 * (stored < 0 ? static_cast<DWORD>(text.size() + 2 + stored) : stored);
        EXPECT_EQ(on, RunValueStartsProgram(status, type, text.c_str(), size, path.c_str()))
            << size << " bytes";
    }
}

// Task Manager's Startup tab keeps "disabled" as an odd first byte (03, 07 and a time), "enabled"
// as an even one; a missing value means enabled.
TEST(LogonStart, DisabledOnlyByAnOddFirstByte) {
    const BYTE disabled[12] = {3, 0, 0, 0, 1, 2}, enabled[12] = {2}, seven[1] = {7};
    const std::tuple<LONG, DWORD, const BYTE*, DWORD, int> rows[] = {
        {0, REG_BINARY, disabled, 12, 1}, {0, REG_BINARY, seven, 1, 1},
        {0, REG_BINARY, enabled, 12, 0},  {ERROR_FILE_NOT_FOUND, REG_BINARY, disabled, 12, 0},
        {0, REG_DWORD, disabled, 4, 0},   {0, REG_BINARY, disabled, 0, 0}};
    for (const auto& [status, type, data, size, off] : rows)
        EXPECT_EQ(off, StartupDisabled(status, type, data, size)) << status << " " << size;
}
