// The alarm settings dialog, created from its template and driven with messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "alarm/alarm_dialog.h"
#include "alarm/alarm_scheduler.h"
#include "alarm/message_file.h"
#include "app/main_window.h"
#include "resource.h"
#include "test_support.h"

namespace {
const int kAllControls[] = {
    IDC_ALARM_OK,
    IDC_ALARM_CANCEL,
    IDC_ALARM_CHIME,
    IDC_ALARM_ENABLE,
    IDC_ALARM_ABSOLUTE,
    IDC_ALARM_RELATIVE,
    IDC_ALARM_HOURS,
    IDC_ALARM_HOURS_SPIN,
    IDC_ALARM_HOURS_LABEL,
    IDC_ALARM_MINUTES,
    IDC_ALARM_MINUTES_SPIN,
    IDC_ALARM_MINUTES_LABEL,
    IDC_ALARM_FROM_NOW_LABEL,
    IDC_ALARM_DELAY,
    IDC_ALARM_DELAY_SPIN,
    IDC_ALARM_DELAY_LABEL,
    IDC_ALARM_MESSAGE_SHOW,
    IDC_ALARM_MESSAGE,
};

// ---------------------------------------------------------------- the template

std::string Narrow(const WCHAR* text) {
    char out[512] = "";
    WideCharToMultiByte(932, 0, text, -1, out, sizeof(out), nullptr, nullptr);
    return out;
}

// Reads a name-or-ordinal field; returns the ordinal or -1 with the text in *text.
int ReadNameOrOrdinal(const WORD*& p, std::string* text) {
    if (*p == 0xFFFF) {
        int ordinal = p[1];
        p += 2;
        return ordinal;
    }
    *text = Narrow(reinterpret_cast<const WCHAR*>(p));
    while (*p)
        ++p;
    ++p;
    return -1;
}

struct TemplateItem {
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    int id;
    std::string className;
    std::string text;
};

struct DialogTemplate {
    DWORD style;
    int cx, cy;
    std::string caption;
    int pointSize;
    std::string font;
    std::vector<TemplateItem> items;
};

bool ParseTemplate(DialogTemplate* out) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_ALARM), MAKEINTRESOURCEA(5));
    if (found == nullptr)
        return false;
    const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    const DLGTEMPLATE* head = reinterpret_cast<const DLGTEMPLATE*>(base);
    if (reinterpret_cast<const WORD*>(base)[1] == 0xFFFF)
        return false; // an extended template is not what we wrote
    out->style = head->style;
    out->cx = head->cx;
    out->cy = head->cy;
    const WORD* p = reinterpret_cast<const WORD*>(head + 1);
    std::string ignored;
    ReadNameOrOrdinal(p, &ignored); // menu
    ReadNameOrOrdinal(p, &ignored); // class
    ReadNameOrOrdinal(p, &out->caption);
    if (head->style & DS_SETFONT) {
        out->pointSize = *p++;
        ReadNameOrOrdinal(p, &out->font);
    }
    for (int i = 0; i < head->cdit; ++i) {
        ULONG_PTR at = (reinterpret_cast<ULONG_PTR>(p) + 3) & ~static_cast<ULONG_PTR>(3);
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        TemplateItem t;
        t.style = item->style;
        t.exStyle = item->dwExtendedStyle;
        t.x = item->x;
        t.y = item->y;
        t.cx = item->cx;
        t.cy = item->cy;
        t.id = item->id;
        p = reinterpret_cast<const WORD*>(item + 1);
        int atom = ReadNameOrOrdinal(p, &t.className);
        if (atom == 0x80)
            t.className = "Button";
        else if (atom == 0x81)
            t.className = "Edit";
        else if (atom == 0x82)
            t.className = "Static";
        int ordinal = ReadNameOrOrdinal(p, &t.text);
        if (ordinal >= 0)
            t.text = "#" + std::to_string(ordinal);
        WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        out->items.push_back(t);
    }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}
} // namespace

TEST(AlarmDialogTemplate, LayoutAsDesigned) {
    DialogTemplate d;
    ASSERT_TRUE(ParseTemplate(&d));
    EXPECT_EQ(DWORD(DS_SYSMODAL | DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU),
              d.style);
    EXPECT_EQ(179, d.cx);
    EXPECT_EQ(159, d.cy);
    EXPECT_EQ("アラーム設定", d.caption);
    EXPECT_EQ(9, d.pointSize);
    EXPECT_EQ("ＭＳ Ｐゴシック", d.font);

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const DWORD edit = child | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    const DWORD spin = child | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
    const DWORD check = child | BS_AUTOCHECKBOX | WS_TABSTOP;
    const DWORD radio = child | BS_AUTORADIOBUTTON | WS_TABSTOP;
    const TemplateItem expected[] = {
        {child | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 85, 140, 41, 17, 2002, "Button", "OK"},
        {child | BS_PUSHBUTTON | WS_TABSTOP, 0, 130, 140, 41, 17, 2003, "Button", "ｷｬﾝｾﾙ"},
        {check, 0, 5, 5, 30, 10, 1008, "Button", "時報"},
        {check, 0, 5, 20, 55, 10, 1000, "Button", "アラーム有効"},
        {radio, 0, 5, 39, 10, 8, 1009, "Button", ""},
        {radio, 0, 5, 57, 10, 8, 1010, "Button", ""},
        {edit, 0, 18, 35, 26, 14, 1001, "Edit", ""},
        {spin, 0, 35, 37, 9, 14, 1002, "msctls_updown32", "Spin1"},
        {child | SS_LEFT | WS_GROUP, 0, 47, 41, 8, 8, 1016, "Static", "時"},
        {edit, 0, 58, 35, 26, 14, 1003, "Edit", ""},
        {spin, 0, 75, 37, 9, 14, 1004, "msctls_updown32", "Spin2"},
        {child | SS_LEFT, 0, 87, 41, 8, 8, 1017, "Static", "分"},
        {child | SS_LEFT, 0, 20, 58, 27, 8, 1018, "Static", "現在から"},
        {edit, 0, 50, 54, 26, 14, 1011, "Edit", ""},
        {spin, 0, 65, 57, 9, 14, 1012, "msctls_updown32", "Spin3"},
        {child | SS_LEFT, 0, 80, 60, 42, 8, 1019, "Static", "分後（１～６０）"},
        {check, 0, 5, 73, 59, 10, 1007, "Button", "メッセージ表示"},
        {edit | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL, 0, 10, 85, 160, 50,
         1021, "Edit", ""},
    };
    ASSERT_EQ(sizeof(expected) / sizeof(expected[0]), d.items.size());
    for (size_t i = 0; i < d.items.size(); ++i) {
        const TemplateItem& e = expected[i];
        const TemplateItem& a = d.items[i];
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(e.id, a.id);
        EXPECT_EQ(Lower(e.className), Lower(a.className));
        EXPECT_EQ(e.text, a.text);
        EXPECT_EQ(e.style, a.style);
        EXPECT_EQ(0u, a.exStyle);
        EXPECT_EQ(e.x, a.x);
        EXPECT_EQ(e.y, a.y);
        EXPECT_EQ(e.cx, a.cx);
        EXPECT_EQ(e.cy, a.cy);
    }
}

// ---------------------------------------------------------------- the live dialog

namespace {
class AlarmDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteAlarmStore();
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
    }
    void TearDown() override {
        if (m_hDialog != nullptr)
            DestroyWindow(m_hDialog);
        DeleteAlarmStore();
    }
    void Open() {
        m_hDialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ALARM),
                                       nullptr, AlarmDlgProc, 0);
        ASSERT_NE(nullptr, m_hDialog);
        ShowWindow(m_hDialog, SW_SHOW);
    }
    void StoreRecord(int zihou, int alarm, int type, int hours, int minutes, int minutes2,
                     int message) {
        WriteStoredDword("ZIHOU", zihou);
        WriteStoredDword("ALARM", alarm);
        WriteStoredDword("ALARMTYPE", type);
        WriteStoredDword("HOURS", hours);
        WriteStoredDword("MINUTES", minutes);
        WriteStoredDword("MINUTES2", minutes2);
        WriteStoredDword("MESSAGE", message);
    }
    HWND Item(int id) { return GetDlgItem(m_hDialog, id); }
    bool Enabled(int id) { return IsWindowEnabled(Item(id)) != 0; }
    UINT Checked(int id) { return IsDlgButtonChecked(m_hDialog, id); }
    void Check(int id, UINT state) { CheckDlgButton(m_hDialog, id, state); }
    void Command(int id) { SendMessageA(m_hDialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::string Text(int id) {
        std::vector<char> text(kMessageBufferSize * 2);
        GetDlgItemTextA(m_hDialog, id, text.data(), static_cast<int>(text.size()));
        return text.data();
    }
    void SetText(int id, const char* text) { SetDlgItemTextA(m_hDialog, id, text); }
    void Spin(int id, int delta) {
        NMUPDOWN nm = {};
        nm.hdr.hwndFrom = Item(id);
        nm.hdr.idFrom = static_cast<UINT_PTR>(id);
        nm.hdr.code = UDN_DELTAPOS;
        nm.iPos = 0;
        nm.iDelta = delta;
        EXPECT_EQ(0, SendMessageA(m_hDialog, WM_NOTIFY, static_cast<WPARAM>(id),
                                  reinterpret_cast<LPARAM>(&nm)));
    }
    bool Ended() { return IsWindowVisible(m_hDialog) == 0; }
    std::map<int, bool> Enabling() {
        std::map<int, bool> state;
        for (int id : kAllControls)
            state[id] = Enabled(id);
        return state;
    }
    // The enabling expected for the alarm check box, the type (0, 1, -1 none) and the message
    // check box.
    static std::map<int, bool> Layout(bool alarm, int type, bool message) {
        std::map<int, bool> state;
        for (int id : kAllControls)
            state[id] = true;
        if (!alarm) {
            for (int id : {1009, 1001, 1003, 1016, 1017, 1010, 1018, 1019, 1011, 1007, 1021})
                state[id] = false;
            return state;
        }
        bool absolute = type == 0;
        for (int id : {1001, 1003, 1016, 1017})
            state[id] = absolute;
        for (int id : {1018, 1019, 1011})
            state[id] = !absolute;
        state[1021] = message;
        return state;
    }

    CScratchDir m_dir;
    HWND m_hDialog = nullptr;
};
} // namespace

TEST_F(AlarmDialog, FilledFromTheStoreAndTheMessageFile) {
    StoreRecord(0, 1, 1, 7, 5, 42, 1);
    WriteFileBytes(kMessageFileName, "line one\r\r\nline two");
    g_bAlarmConfirmed = 1;
    Open();
    EXPECT_EQ(0, g_bAlarmConfirmed);
    EXPECT_EQ(0u, Checked(IDC_ALARM_CHIME));
    EXPECT_EQ(1u, Checked(IDC_ALARM_ENABLE));
    EXPECT_EQ(1u, Checked(IDC_ALARM_MESSAGE_SHOW));
    EXPECT_EQ(0u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(1u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ("7", Text(IDC_ALARM_HOURS));
    EXPECT_EQ("5", Text(IDC_ALARM_MINUTES));
    EXPECT_EQ("42", Text(IDC_ALARM_DELAY));
    EXPECT_EQ("line one\r\nline two", Text(IDC_ALARM_MESSAGE));
    EXPECT_EQ(Item(IDC_ALARM_OK), GetFocus());
    EXPECT_EQ(2, SendMessageA(Item(IDC_ALARM_HOURS), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(2, SendMessageA(Item(IDC_ALARM_MINUTES), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(2, SendMessageA(Item(IDC_ALARM_DELAY), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(kMessageMaxChars, SendMessageA(Item(IDC_ALARM_MESSAGE), EM_GETLIMITTEXT, 0, 0));
    EXPECT_EQ(Layout(true, 1, true), Enabling());
}

TEST_F(AlarmDialog, FreshStoreAndMissingFile) {
    Open();
    EXPECT_EQ(1u, Checked(IDC_ALARM_CHIME));
    EXPECT_EQ(0u, Checked(IDC_ALARM_ENABLE));
    EXPECT_EQ(1u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(0u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ("0", Text(IDC_ALARM_HOURS));
    EXPECT_EQ("", Text(IDC_ALARM_MESSAGE));
    EXPECT_EQ(Layout(false, 0, false), Enabling());
}

TEST_F(AlarmDialog, UnknownTypeChecksNeitherAndShowsTheRelativeLayout) {
    StoreRecord(1, 1, 2, 0, 0, 0, 0);
    Open();
    EXPECT_EQ(0u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(0u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ(Layout(true, -1, false), Enabling());
}

TEST_F(AlarmDialog, EnableCommand) {
    StoreRecord(1, 1, 0, 0, 0, 0, 1);
    Open();
    EXPECT_EQ(Layout(true, 0, true), Enabling());
    Check(IDC_ALARM_ENABLE, BST_UNCHECKED);
    Command(IDC_ALARM_ENABLE);
    EXPECT_EQ(Layout(false, 0, true), Enabling());
    // Re-checking restores the layout of the selected type and the message's state.
    Check(IDC_ALARM_ENABLE, BST_CHECKED);
    Command(IDC_ALARM_ENABLE);
    EXPECT_EQ(Layout(true, 0, true), Enabling());
    Check(IDC_ALARM_ABSOLUTE, BST_UNCHECKED);
    Check(IDC_ALARM_RELATIVE, BST_CHECKED);
    Check(IDC_ALARM_MESSAGE_SHOW, BST_UNCHECKED);
    Command(IDC_ALARM_ENABLE);
    EXPECT_EQ(Layout(true, 1, false), Enabling());
    Check(IDC_ALARM_ENABLE, BST_UNCHECKED);
    Command(IDC_ALARM_ENABLE);
    EXPECT_EQ(Layout(false, 1, false), Enabling());
}

TEST_F(AlarmDialog, TypeCommandsWhileEnabled) {
    StoreRecord(1, 1, 0, 0, 0, 0, 1);
    Open();
    // The click has checked the relative button already; the command does the rest.
    Check(IDC_ALARM_RELATIVE, BST_CHECKED);
    Command(IDC_ALARM_RELATIVE);
    EXPECT_EQ(0u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(1u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ(Layout(true, 1, true), Enabling());
    Check(IDC_ALARM_ABSOLUTE, BST_CHECKED);
    Command(IDC_ALARM_ABSOLUTE);
    EXPECT_EQ(1u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(0u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ(Layout(true, 0, true), Enabling());
}

TEST_F(AlarmDialog, TypeAndMessageCommandsWhileDisabledDoNothing) {
    StoreRecord(1, 0, 0, 0, 0, 0, 1);
    Open();
    std::map<int, bool> before = Enabling();
    Check(IDC_ALARM_RELATIVE, BST_CHECKED);
    Command(IDC_ALARM_RELATIVE);
    EXPECT_EQ(1u, Checked(IDC_ALARM_ABSOLUTE));
    EXPECT_EQ(before, Enabling());
    Check(IDC_ALARM_ABSOLUTE, BST_CHECKED);
    Command(IDC_ALARM_ABSOLUTE);
    EXPECT_EQ(1u, Checked(IDC_ALARM_RELATIVE));
    EXPECT_EQ(before, Enabling());
    // The message edit keeps whatever state it has.
    EnableWindow(Item(IDC_ALARM_MESSAGE), TRUE);
    Check(IDC_ALARM_MESSAGE_SHOW, BST_UNCHECKED);
    Command(IDC_ALARM_MESSAGE_SHOW);
    EXPECT_TRUE(Enabled(IDC_ALARM_MESSAGE));
    EnableWindow(Item(IDC_ALARM_MESSAGE), FALSE);
    Check(IDC_ALARM_MESSAGE_SHOW, BST_CHECKED);
    Command(IDC_ALARM_MESSAGE_SHOW);
    EXPECT_FALSE(Enabled(IDC_ALARM_MESSAGE));
}

TEST_F(AlarmDialog, MessageCommandWhileEnabled) {
    StoreRecord(1, 1, 1, 0, 0, 0, 1);
    Open();
    EXPECT_TRUE(Enabled(IDC_ALARM_MESSAGE));
    Check(IDC_ALARM_MESSAGE_SHOW, BST_UNCHECKED);
    Command(IDC_ALARM_MESSAGE_SHOW);
    EXPECT_FALSE(Enabled(IDC_ALARM_MESSAGE));
    EXPECT_EQ(Layout(true, 1, false), Enabling());
    Check(IDC_ALARM_MESSAGE_SHOW, BST_CHECKED);
    Command(IDC_ALARM_MESSAGE_SHOW);
    EXPECT_TRUE(Enabled(IDC_ALARM_MESSAGE));
}

TEST_F(AlarmDialog, OtherCommandsDoNothingAndEscapeDoesNotClose) {
    StoreRecord(1, 1, 0, 0, 0, 0, 1);
    Open();
    std::map<int, bool> before = Enabling();
    for (int id : {IDCANCEL, IDOK, IDC_ALARM_CHIME, IDC_ALARM_HOURS, IDC_ALARM_MESSAGE, 4242}) {
        Command(id);
        EXPECT_FALSE(Ended()) << id;
        EXPECT_EQ(before, Enabling()) << id;
    }
    // The Escape key itself, through the dialog manager.
    SetFocus(Item(IDC_ALARM_OK));
    MSG msg = {};
    msg.hwnd = Item(IDC_ALARM_OK);
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_ESCAPE;
    IsDialogMessageA(m_hDialog, &msg);
    EXPECT_FALSE(Ended());
    EXPECT_EQ(0, g_bAlarmConfirmed);
    EXPECT_EQ(-1, ReadStoredDword("WAVE")); // nothing was saved
}

TEST_F(AlarmDialog, UpDownSteppingClampsAtBothEnds) {
    StoreRecord(1, 1, 0, 23, 59, 59, 0);
    Open();
    struct {
        int spin, edit, high;
    } cases[] = {{1002, 1001, 23}, {1004, 1003, 59}, {1012, 1011, 59}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.spin);
        std::string top = std::to_string(c.high);
        SetText(c.edit, top.c_str());
        Spin(c.spin, -1); // up arrow
        EXPECT_EQ(top, Text(c.edit));
        Spin(c.spin, 1); // down arrow
        EXPECT_EQ(std::to_string(c.high - 1), Text(c.edit));
        SetText(c.edit, "0");
        Spin(c.spin, 1);
        EXPECT_EQ("0", Text(c.edit));
        Spin(c.spin, -1);
        EXPECT_EQ("1", Text(c.edit));
        Spin(c.spin, 0);
        EXPECT_EQ("1", Text(c.edit));
        SetText(c.edit, "");
        Spin(c.spin, -1);
        EXPECT_EQ("1", Text(c.edit));
        SetText(c.edit, "");
        Spin(c.spin, 1);
        EXPECT_EQ("0", Text(c.edit));
        SetText(c.edit, "99");
        Spin(c.spin, 1);
        EXPECT_EQ(top, Text(c.edit));
        // Large steps still move by one.
        SetText(c.edit, "5");
        Spin(c.spin, -10);
        EXPECT_EQ("6", Text(c.edit));
    }
}

TEST_F(AlarmDialog, OtherNotificationsAreIgnored) {
    StoreRecord(1, 1, 0, 5, 5, 5, 0);
    Open();
    Spin(IDC_ALARM_HOURS, -1);
    Spin(4242, -1);
    NMUPDOWN nm = {};
    nm.hdr.hwndFrom = Item(IDC_ALARM_HOURS_SPIN);
    nm.hdr.idFrom = IDC_ALARM_HOURS_SPIN;
    nm.hdr.code = NM_CLICK;
    nm.iDelta = -1;
    SendMessageA(m_hDialog, WM_NOTIFY, IDC_ALARM_HOURS_SPIN, reinterpret_cast<LPARAM>(&nm));
    EXPECT_EQ("5", Text(IDC_ALARM_HOURS));
}

TEST_F(AlarmDialog, OkClampsAndSaves) {
    StoreRecord(0, 0, 0, 1, 2, 3, 0);
    WriteStoredDword("WAVE", 77);
    WriteFileBytes(kMessageFileName, "old");
    Open();
    Check(IDC_ALARM_CHIME, BST_CHECKED);
    Check(IDC_ALARM_ENABLE, BST_CHECKED);
    Command(IDC_ALARM_ENABLE);
    Check(IDC_ALARM_MESSAGE_SHOW, BST_CHECKED);
    Command(IDC_ALARM_MESSAGE_SHOW);
    SetText(IDC_ALARM_HOURS, "99");
    SetText(IDC_ALARM_MINUTES, "75");
    SetText(IDC_ALARM_DELAY, "75");
    SetText(IDC_ALARM_MESSAGE, "wake up\r\nnow");
    Command(IDC_ALARM_OK);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(1, g_bAlarmConfirmed);
    EXPECT_EQ(1, ReadStoredDword("ZIHOU"));
    EXPECT_EQ(1, ReadStoredDword("ALARM"));
    EXPECT_EQ(0, ReadStoredDword("ALARMTYPE"));
    EXPECT_EQ(23, ReadStoredDword("HOURS"));
    EXPECT_EQ(59, ReadStoredDword("MINUTES"));
    EXPECT_EQ(59, ReadStoredDword("MINUTES2"));
    EXPECT_EQ(1, ReadStoredDword("MESSAGE"));
    EXPECT_EQ(77, ReadStoredDword("WAVE")); // carried over: the dialog has no control for it
    EXPECT_EQ("wake up\r\r\nnow", ReadFileBytes(kMessageFileName));
}

TEST_F(AlarmDialog, OkWithEmptyEditsAndRelativeType) {
    StoreRecord(1, 1, 1, 4, 5, 6, 1);
    Open();
    SetText(IDC_ALARM_HOURS, "");
    SetText(IDC_ALARM_MINUTES, "x");
    SetText(IDC_ALARM_DELAY, "");
    Check(IDC_ALARM_CHIME, BST_UNCHECKED);
    Check(IDC_ALARM_MESSAGE_SHOW, BST_UNCHECKED);
    Command(IDC_ALARM_OK);
    EXPECT_EQ(1, g_bAlarmConfirmed);
    EXPECT_EQ(0, ReadStoredDword("HOURS"));
    EXPECT_EQ(0, ReadStoredDword("MINUTES"));
    EXPECT_EQ(0, ReadStoredDword("MINUTES2"));
    EXPECT_EQ(1, ReadStoredDword("ALARMTYPE"));
    EXPECT_EQ(0, ReadStoredDword("ZIHOU"));
    EXPECT_EQ(0, ReadStoredDword("MESSAGE"));
    EXPECT_EQ("", ReadFileBytes(kMessageFileName));
    EXPECT_TRUE(FileExists(kMessageFileName));
}

// Neither radio button checked saves the relative type.
TEST_F(AlarmDialog, OkWithoutTypeSavesRelative) {
    StoreRecord(1, 1, 5, 0, 0, 0, 0);
    Open();
    Command(IDC_ALARM_OK);
    EXPECT_EQ(1, ReadStoredDword("ALARMTYPE"));
}

TEST_F(AlarmDialog, CancelChangesNothing) {
    StoreRecord(1, 0, 0, 3, 4, 5, 0);
    WriteFileBytes(kMessageFileName, "keep\r\r\nme");
    Open();
    Check(IDC_ALARM_ENABLE, BST_CHECKED);
    SetText(IDC_ALARM_HOURS, "9");
    SetText(IDC_ALARM_MESSAGE, "changed");
    g_bAlarmConfirmed = 1;
    Command(IDC_ALARM_CANCEL);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(0, g_bAlarmConfirmed);
    EXPECT_EQ(0, ReadStoredDword("ALARM"));
    EXPECT_EQ(3, ReadStoredDword("HOURS"));
    EXPECT_EQ(-1, ReadStoredDword("WAVE"));
    EXPECT_EQ("keep\r\r\nme", ReadFileBytes(kMessageFileName));
}

TEST_F(AlarmDialog, SystemCloseChangesNothing) {
    StoreRecord(1, 0, 0, 3, 4, 5, 0);
    Open();
    Check(IDC_ALARM_ENABLE, BST_CHECKED);
    SetText(IDC_ALARM_MESSAGE, "changed");
    // Only SC_CLOSE exactly closes the dialog.
    EXPECT_EQ(0, SendMessageA(m_hDialog, WM_SYSCOMMAND, SC_CLOSE + 1, 0));
    EXPECT_FALSE(Ended());
    SendMessageA(m_hDialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(Ended());
    EXPECT_EQ(0, g_bAlarmConfirmed);
    EXPECT_EQ(0, ReadStoredDword("ALARM"));
    EXPECT_FALSE(FileExists(kMessageFileName));
}

// The real modal run from the menu command, answered by a helper thread.
TEST_F(AlarmDialog, ModalRunThroughTheMenuCommand) {
    StoreRecord(0, 1, 1, 0, 0, 9, 0);
    g_AlarmSettings = AlarmSettings{0, 0, 0, 0, 0, 0, 0, 0};
    g_bRinging = g_bMessageShown = 1;
    g_dwAlarmBase = 0;
    {
        CBoxWatcher watcher("アラーム設定", IDC_ALARM_CANCEL);
        OnAlarmSettings(nullptr);
        EXPECT_EQ(1u, watcher.Texts().size());
    }
    EXPECT_EQ(0, g_bAlarmConfirmed);
    EXPECT_EQ(1, g_bRinging);
    EXPECT_EQ(0, g_AlarmSettings.ALARM);
    {
        CBoxWatcher watcher("アラーム設定", IDC_ALARM_OK);
        DWORD before = GetTickCount();
        OnAlarmSettings(nullptr);
        EXPECT_EQ(1u, watcher.Texts().size());
        // Re-armed from the moment of the confirmation.
        EXPECT_LE(g_dwAlarmBase - before, GetTickCount() - before);
    }
    EXPECT_EQ(1, g_bAlarmConfirmed);
    EXPECT_EQ(0, g_bRinging);
    EXPECT_EQ(0, g_bMessageShown);
    EXPECT_EQ(1, g_AlarmSettings.ALARM);
    EXPECT_EQ(1, g_AlarmSettings.ALARMTYPE);
    EXPECT_EQ(9, g_AlarmSettings.MINUTES2);
}
