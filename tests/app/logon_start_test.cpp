// Which values under the Run key start this clock: what the mark of "Windows の起動時に開始" shows.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/logon_start.h"

TEST(LogonStart, MarkedOnlyForAValueThatStartsThisProgram) {
    const std::string path = "C:\\Program Files\\アラームａ\\clock.exe", quoted = '"' + path + '"';
    // The status and type of the read, the text and how many of its bytes are stored (-1: with a
    // terminator, -2: without), whether the mark shows. ヂ is ア with an 'a' for second byte.
    const std::tuple<LONG, DWORD, std::string, int, int> rows[] = {
        {0, REG_SZ, path, -1, 1},
        {0, REG_SZ, quoted, -2, 1},
        {0, REG_SZ, quoted + " /min", -1, 1},
        {0, REG_SZ, "\"c:\\PROGRAM FILES\\アラームＡ\\CLOCK.EXE\"", -1, 1},
        {0, REG_SZ, "\"C:\\Program Files\\ヂラームａ\\clock.exe\"", -1, 0},
        {0, REG_SZ, path + ".bak", -1, 0},
        {0, REG_SZ, quoted.substr(0, quoted.size() - 1), -1, 0},
        {0, REG_SZ, "", -1, 0},
        {0, REG_SZ, quoted, static_cast<int>(quoted.size()) - 1, 0},
        {0, REG_SZ, std::string(quoted).replace(3, 1, 1, '\0'), -2, 0},
        {ERROR_MORE_DATA, REG_SZ, quoted, -1, 0},
        {0, REG_EXPAND_SZ, quoted, -1, 0}};
    for (const auto& [status, type, text, stored, on] : rows) {
        const DWORD size = stored < 0 ? static_cast<DWORD>(text.size() + 2 + stored) : stored;
        EXPECT_EQ(on, RunValueStartsProgram(status, type, text.c_str(), size, path.c_str()))
            << text << " (" << size << " bytes)";
    }
}
