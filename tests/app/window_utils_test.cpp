// Window and menu utilities, and the program directory for every kind of command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/window_utils.h"
#include "resources/resource.h"

namespace {
std::string Dir(const char* cmd, const char* module, size_t size = 260) {
    char out[260];
    memset(out, '#', sizeof(out));
    ProgramDirectoryFrom(cmd, module, out, size);
    return out;
}
} // namespace

TEST(ProgramDirectory, CommandLines) {
    const char* mod = "C:\\Program Files\\Clock\\clock.exe";
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("\"C:\\Program Files\\Clock\\clock.exe\"", mod));
    EXPECT_EQ("C:\\Apps", Dir("\"C:\\Apps\\clock.exe\" /x \"y z\"", mod));
    EXPECT_EQ("C:", Dir("\"C:\\clock.exe\"", "C:\\clock.exe"));
    // Unquoted, relative, or quoted arguments after an unquoted path: the module decides.
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("clock.exe", mod));
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("C:\\x\\clock.exe \"arg\\with\\slashes\"", mod));
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("\"clock.exe\" a", mod));
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("\"unterminated", mod));
    EXPECT_EQ("C:\\Program Files\\Clock", Dir("", mod));
    EXPECT_EQ("C:\\Program Files\\Clock", Dir(nullptr, mod));
    EXPECT_EQ("C:", Dir("x", "C:\\clock.exe"));
}

TEST(ProgramDirectory, NeverOverrunsItsBuffer) {
    std::string longCmd = "\"C:\\" + std::string(400, 'a') + "\\clock.exe\"";
    std::string longMod = "C:\\" + std::string(400, 'b') + "\\clock.exe";
    char out[270];
    memset(out, '#', sizeof(out));
    ProgramDirectoryFrom(longCmd.c_str(), longMod.c_str(), out, 260);
    EXPECT_LT(strlen(out), 260u);
    for (int i = 260; i < 270; ++i)
        EXPECT_EQ('#', out[i]);
    memset(out, '#', sizeof(out));
    ProgramDirectoryFrom(longCmd.c_str(), "C:\\short\\clock.exe", out, 260);
    EXPECT_STREQ("C:\\short", out);
    ProgramDirectoryFrom("\"C:\\a\\b.exe\"", "C:\\a\\b.exe", out, 3);
    EXPECT_EQ(2u, strlen(out));
}

TEST(ProgramDirectory, RunningExecutable) {
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, sizeof(module));
    *strrchr(module, '\\') = '\0';
    EXPECT_STREQ(module, GetProgramDirectory());
}

TEST(FormatString, FormatsIntoSharedBuffer) {
    char* a = FormatString("%s\\wave\\%s", "C:\\clock", "w02.wav");
    EXPECT_STREQ("C:\\clock\\wave\\w02.wav", a);
    char* b = FormatString("%.2d%.2d", 7, 5);
    EXPECT_EQ(a, b);
    EXPECT_STREQ("0705", b);
}

TEST(MenuUtils, ToggleAndUncheck) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MENU));
    ASSERT_NE(nullptr, menu);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(11, GetMenuItemCount(popup));
    EXPECT_EQ(IDM_TOPMOST, static_cast<int>(GetMenuItemID(popup, 5)));
    EXPECT_EQ(IDM_LOCK, static_cast<int>(GetMenuItemID(popup, 6)));
    EXPECT_EQ(IDM_EXIT, static_cast<int>(GetMenuItemID(popup, 10)));
    EXPECT_EQ(1, ToggleMenuCheck(popup, 5));
    EXPECT_EQ(static_cast<UINT>(MF_CHECKED), GetMenuState(popup, 5, MF_BYPOSITION));
    EXPECT_EQ(0, ToggleMenuCheck(popup, 5));
    EXPECT_EQ(0u, GetMenuState(popup, 5, MF_BYPOSITION));
    HMENU sizes = GetSubMenu(popup, 3);
    ASSERT_EQ(3, GetMenuItemCount(sizes));
    for (UINT i = 0; i < 3; ++i)
        CheckMenuItem(sizes, i, MF_BYPOSITION | MF_CHECKED);
    UncheckAllMenuItems(sizes);
    for (UINT i = 0; i < 3; ++i)
        EXPECT_EQ(0u, GetMenuState(sizes, i, MF_BYPOSITION) & MF_CHECKED);
    HMENU empty = CreatePopupMenu();
    UncheckAllMenuItems(empty); // nothing to do, nothing breaks
    DestroyMenu(empty);
    DestroyMenu(menu);
}

TEST(WindowUtils, ClientSizeCentreAndTopmost) {
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 5, 6, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(nullptr, w);
    SetClientSize(w, 101, 128);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(5, r.left);
    EXPECT_EQ(101, r.right - r.left);
    EXPECT_EQ(128, r.bottom - r.top);
    CenterWindow(w);
    GetWindowRect(w, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - 101 / 2, r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2 - 128 / 2, r.top);
    SetTopmost(w, 1);
    EXPECT_TRUE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetTopmost(w, 0);
    EXPECT_FALSE(GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(w);
}
