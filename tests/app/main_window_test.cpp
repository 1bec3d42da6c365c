// The main window created for real in the test process: start-up marks, commands, and what
// reaches the registry when the window goes or the session ends.
#include <gtest/gtest.h>
#include <windows.h>

#include "alarm/alarm_scheduler.h"
#include "alarm/chime.h"
#include "app/main_window.h"
#include "resources/resource.h"

namespace {
const char kKeyPath[] = "Software\\quillory\\Vorimo\\Clock\\Clock1";

void Store(const char* name, int value) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

// The stored value, or -999 when there is none.
int Stored(const char* name) {
    HKEY key;
    int value = -999;
    DWORD size = sizeof(value);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return -999;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        value = -999;
    RegCloseKey(key);
    return value;
}

bool Checked(HMENU menu, UINT pos) {
    return (GetMenuState(menu, pos, MF_BYPOSITION) & MF_CHECKED) != 0;
}

class MainWindow : public ::testing::Test {
  protected:
    HWND m_hWnd = nullptr;

    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
        static bool registered = false;
        if (!registered)
            RegisterClockClass(GetModuleHandleA(nullptr));
        registered = true;
    }
    void Create() {
        m_hWnd = CreateClockWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, m_hWnd);
        ASSERT_EQ(m_hWnd, g_hMainWnd);
    }
    void Destroy() {
        if (m_hWnd != nullptr)
            DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
        MSG msg; // drop the quit message the window posts
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void Command(int id) { SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void TearDown() override {
        Destroy();
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\quillory");
    }
};
} // namespace

TEST_F(MainWindow, StartUpMarksFollowStoredRecord) {
    Store("TOPMOST", 1);
    Store("LOCK", 1);
    Store("SIZE", 2);
    Store("LEFT", 33);
    Store("TOP", 44);
    DWORD before = GetTickCount();
    Create();
    EXPECT_TRUE(Checked(g_hPopupMenu, kMenuPosTopmost));
    EXPECT_TRUE(Checked(g_hPopupMenu, kMenuPosLock));
    EXPECT_FALSE(Checked(g_hSizeMenu, 0));
    EXPECT_FALSE(Checked(g_hSizeMenu, 1));
    EXPECT_TRUE(Checked(g_hSizeMenu, 2));
    EXPECT_TRUE(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(m_hWnd));
    RECT r;
    GetWindowRect(m_hWnd, &r);
    EXPECT_EQ(33, r.left);
    EXPECT_EQ(44, r.top);
    EXPECT_GE(g_dwAlarmBase - before, 0u);
    EXPECT_LT(g_dwAlarmBase - before, 10000u);
}

TEST_F(MainWindow, FreshStartHasNoMarksButSmallSize) {
    Create();
    EXPECT_FALSE(Checked(g_hPopupMenu, kMenuPosTopmost));
    EXPECT_FALSE(Checked(g_hPopupMenu, kMenuPosLock));
    EXPECT_TRUE(Checked(g_hSizeMenu, 0));
    EXPECT_FALSE(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(1, g_AlarmSettings.ZIHOU);
}

TEST_F(MainWindow, CommandsMoveMarksAndFieldsTogether) {
    Create();
    Command(IDM_TOPMOST_ALIAS);
    EXPECT_EQ(1, g_WindowSettings.TOPMOST);
    EXPECT_TRUE(Checked(g_hPopupMenu, kMenuPosTopmost));
    EXPECT_TRUE(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Command(IDM_TOPMOST);
    EXPECT_EQ(0, g_WindowSettings.TOPMOST);
    EXPECT_FALSE(Checked(g_hPopupMenu, kMenuPosTopmost));
    EXPECT_FALSE(GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Command(IDM_LOCK);
    EXPECT_EQ(1, g_WindowSettings.LOCK);
    EXPECT_TRUE(Checked(g_hPopupMenu, kMenuPosLock));
    Command(IDM_LOCK);
    EXPECT_EQ(0, g_WindowSettings.LOCK);

    const int sizes[] = {IDM_SIZE_LARGE, IDM_SIZE_MEDIUM, IDM_SIZE_MEDIUM, IDM_SIZE_SMALL};
    const int index[] = {2, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
        g_bChimed = 1;
        Command(sizes[i]);
        EXPECT_EQ(index[i], g_WindowSettings.SIZE);
        for (UINT p = 0; p < 3; ++p)
            EXPECT_EQ(static_cast<int>(p) == index[i], Checked(g_hSizeMenu, p)) << i << p;
        EXPECT_EQ(0, g_bChimed) << "a size change chimes again";
        EXPECT_TRUE(IsWindowVisible(m_hWnd));
    }
    Command(12345); // unknown ids do nothing
    EXPECT_EQ(-999, Stored("SIZE")) << "commands write nothing";
}

TEST_F(MainWindow, DestructionSavesTheWindowRecord) {
    Create();
    SetWindowPos(m_hWnd, nullptr, -70, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Command(IDM_SIZE_LARGE);
    Command(IDM_LOCK);
    Command(IDM_TOPMOST);
    EXPECT_EQ(-999, Stored("LEFT"));
    Destroy();
    EXPECT_EQ(-70, Stored("LEFT"));
    EXPECT_EQ(120, Stored("TOP"));
    EXPECT_EQ(2, Stored("SIZE"));
    EXPECT_EQ(1, Stored("TOPMOST"));
    EXPECT_EQ(1, Stored("LOCK"));
    EXPECT_EQ(nullptr, g_hPopupMenu);
}

TEST_F(MainWindow, EndOfSessionSavesOnlyWhenTheSessionEnds) {
    Create();
    SetWindowPos(m_hWnd, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Command(IDM_LOCK);
    SendMessageA(m_hWnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(-999, Stored("LEFT"));
    SendMessageA(m_hWnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(300, Stored("LEFT"));
    EXPECT_EQ(200, Stored("TOP"));
    EXPECT_EQ(1, Stored("LOCK"));
}

TEST_F(MainWindow, UnknownStoredSizeIsShownMarkedAndSavedAsSmall) {
    Store("SIZE", 7);
    Create();
    EXPECT_EQ(0, g_WindowSettings.SIZE);
    EXPECT_TRUE(Checked(g_hSizeMenu, 0));
    Destroy();
    EXPECT_EQ(0, Stored("SIZE"));
    Store("SIZE", -1);
    Create();
    EXPECT_EQ(0, g_WindowSettings.SIZE);
}

TEST_F(MainWindow, BackgroundIsNeverErased) {
    Create();
    HDC dc = GetDC(m_hWnd);
    EXPECT_EQ(1, SendMessageA(m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(m_hWnd, dc);
}
