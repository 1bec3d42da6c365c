// Which values under the Run key start this clock: what the mark of "Windows の起動時に開始" shows.
#include <gtest/gtest.h>

#include <string>

#include "app/logon_start.h"

TEST(LogonStart, MarkedOnlyForAValueThatStartsThisProgram) {
    const std::string path = "C:\\Program Files\\アラームａ\\clock.exe", quoted = '"' + path + '"';
    // status, type, the value's text and how many of its bytes are stored (-1: with a terminator,
    // -2: without)
    const struct {
        LONG status;
        DWORD type;
        std::string text;
        int size, on;
    } rows[] = {
        {0, REG_SZ, quoted, -1, 1},           // as the clock writes it
        {0, REG_SZ, path, -1, 1},             // unquoted
        {0, REG_SZ, quoted + " /min", -1, 1}, // with arguments
        {0, REG_SZ, path + "\t/min", -1, 1},  //
        {0, REG_SZ, quoted, -2, 1},           // stored without a terminator
        {0, REG_SZ, "\"c:\\PROGRAM FILES\\アラームＡ\\CLOCK.EXE\"", -1, 1}, // another case
        {0, REG_SZ, "\"C:\\Program Files\\ヂラームａ\\clock.exe\"", -1, 0}, // a trail byte 'a'
        {0, REG_SZ, "\"D:\\clock\\clock.exe\"", -1, 0},                     // another folder
        {0, REG_SZ, '"' + path + ".bak\"", -1, 0},                          // another file
        {0, REG_SZ, path + ".bak", -1, 0},                                  //
        {0, REG_SZ, quoted.substr(0, quoted.size() - 1), -1, 0},            // no closing quote
        {0, REG_SZ, quoted, static_cast<int>(quoted.size()) - 1, 0},        // cut short
        {0, REG_SZ, std::string(quoted).replace(3, 1, 1, '\0'), -2, 0},     // a zero inside
        {0, REG_SZ, "", -1, 0},                                             // empty
        {ERROR_MORE_DATA, REG_SZ, quoted, -1, 0},      // too long to read whole
        {ERROR_FILE_NOT_FOUND, REG_SZ, quoted, -1, 0}, // missing
        {0, REG_EXPAND_SZ, quoted, -1, 0},             // not REG_SZ
        {0, REG_BINARY, quoted, -1, 0},
    };
    for (const auto& r : rows) {
        const DWORD size = r.size < 0 ? static_cast<DWORD>(r.text.size() + 2 + r.size) : r.size;
        EXPECT_EQ(r.on, RunValueStartsProgram(r.status, r.type, r.text.c_str(), size, path.c_str()))
            << r.text << " (" << size << " bytes)";
    }
    EXPECT_EQ(0, RunValueStartsProgram(0, REG_SZ, "", 1, "")) << "no program path";
}
