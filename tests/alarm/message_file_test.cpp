// The message file: text-mode round trips through the edit, safe replacement, bounded reading.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "alarm/message_file.h"
#include "test_support.h"

namespace {
class MessageFile : public ::testing::Test {
  protected:
    void SetUp() override {
        m_hEdit =
            CreateWindowExA(0, "EDIT", "", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, 200,
                            100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, m_hEdit);
        SendMessageA(m_hEdit, EM_LIMITTEXT, kMessageMaxChars, 0);
    }
    void TearDown() override { DestroyWindow(m_hEdit); }

    std::string EditText() {
        std::vector<char> text(kMessageBufferSize * 2);
        GetWindowTextA(m_hEdit, text.data(), static_cast<int>(text.size()));
        return text.data();
    }
    // The text the alarm box would show.
    std::string AlarmText(int* ok = nullptr) {
        std::vector<char> text(kMessageBufferSize, '\0');
        int result = ReadMessageText(kMessageFileName, text.data(), text.size(), text.size());
        if (ok != nullptr)
            *ok = result;
        return text.data();
    }
    // Saves the text through the edit and checks what comes back into a fresh edit and the box.
    void RoundTrip(const std::string& text, const std::string& stored) {
        SetWindowTextA(m_hEdit, text.c_str());
        ASSERT_EQ(1, SaveMessageFile(m_hEdit, kMessageFileName));
        EXPECT_EQ(stored, ReadFileBytes(kMessageFileName));
        SetWindowTextA(m_hEdit, "something else");
        EXPECT_EQ(1, LoadMessageFile(m_hEdit, kMessageFileName));
        EXPECT_EQ(text, EditText());
        EXPECT_EQ(text, AlarmText());
        std::string temp = std::string(kMessageFileName) + kMessageTempSuffix;
        EXPECT_FALSE(FileExists(temp.c_str()));
    }

    CScratchDir m_dir;
    HWND m_hEdit = nullptr;
};
} // namespace

TEST_F(MessageFile, OneLineBreakIsStoredAsCrCrLf) {
    RoundTrip("abc\r\ndef", "abc\r\r\ndef");
}

TEST_F(MessageFile, SeveralLineBreaks) {
    RoundTrip("line 1\r\nline 2\r\n\r\nline 4\r\n", "line 1\r\r\nline 2\r\r\n\r\r\nline 4\r\r\n");
}

TEST_F(MessageFile, NoLineBreakAndEmptyText) {
    RoundTrip("just one line", "just one line");
    RoundTrip("", "");
}

TEST_F(MessageFile, ShiftJisText) {
    // Trail bytes such as 0x5C (the backslash of "ソ" and "表") must survive as they are.
    std::string text = "起きて！ソフト表示\r\nアラームです。";
    std::string stored = "起きて！ソフト表示\r\r\nアラームです。";
    ASSERT_EQ('\x83', text[text.find("\x83\x5C")]);
    RoundTrip(text, stored);
}

TEST_F(MessageFile, LongLinesComeInPieces) {
    std::string line(5000, 'x');
    RoundTrip(line + "\r\n" + line, line + "\r\r\n" + line);
}

TEST_F(MessageFile, MissingFile) {
    SetWindowTextA(m_hEdit, "left over");
    EXPECT_EQ(0, LoadMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ("", EditText());
    std::vector<char> text(64, '\0');
    EXPECT_EQ(0, ReadMessageText(kMessageFileName, text.data(), text.size(), text.size()));
    for (char c : text)
        EXPECT_EQ('\0', c);
}

TEST_F(MessageFile, ReplacesAnOlderLongerFile) {
    WriteFileBytes(kMessageFileName, std::string(3000, 'o'));
    RoundTrip("new", "new");
}

// The new text cannot be written beside the old file: the old message stays as it was.
TEST_F(MessageFile, FailedCreateKeepsTheOldMessage) {
    WriteFileBytes(kMessageFileName, "old\r\r\nmessage");
    std::string temp = std::string(kMessageFileName) + kMessageTempSuffix;
    ASSERT_TRUE(CreateDirectoryA(temp.c_str(), nullptr));
    SetWindowTextA(m_hEdit, "new message");
    EXPECT_EQ(0, SaveMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ("old\r\r\nmessage", ReadFileBytes(kMessageFileName));
    EXPECT_EQ("old\r\nmessage", AlarmText());
}

// The file cannot be replaced (it is held open without delete sharing): the old message stays
// and no temporary file is left behind.
TEST_F(MessageFile, FailedReplaceKeepsTheOldMessage) {
    WriteFileBytes(kMessageFileName, "old");
    HANDLE held = CreateFileA(kMessageFileName, GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SetWindowTextA(m_hEdit, "new message");
    EXPECT_EQ(0, SaveMessageFile(m_hEdit, kMessageFileName));
    CloseHandle(held);
    std::string temp = std::string(kMessageFileName) + kMessageTempSuffix;
    EXPECT_FALSE(FileExists(temp.c_str()));
    EXPECT_EQ("old", ReadFileBytes(kMessageFileName));
}

TEST_F(MessageFile, FileInMissingDirectoryFails) {
    SetWindowTextA(m_hEdit, "text");
    EXPECT_EQ(0, SaveMessageFile(m_hEdit, "no such dir\\CLOCK.dat"));
    EXPECT_FALSE(FileExists("no such dir"));
}

// A huge file read with the alarm box's 32768-byte limit: the text stops there, terminated.
TEST_F(MessageFile, HugeFileIsCutAtTheBuffer) {
    std::string lines;
    while (lines.size() < 200000)
        lines += std::string(99, 'a' + static_cast<char>(lines.size() % 26)) + "\n";
    WriteFileBytes(kMessageFileName, lines);
    std::vector<char> text(kMessageBufferSize + 256, '#');
    std::fill(text.begin(), text.begin() + kMessageBufferSize, '\0');
    EXPECT_EQ(
        1, ReadMessageText(kMessageFileName, text.data(), kMessageBufferSize, kMessageBufferSize));
    EXPECT_EQ('\0', text[kMessageBufferSize - 1]);
    EXPECT_EQ(static_cast<size_t>(kMessageBufferSize - 1), strlen(text.data()));
    EXPECT_EQ(0, memcmp(lines.data(), text.data(), kMessageBufferSize - 1));
    for (size_t i = kMessageBufferSize; i < text.size(); ++i)
        ASSERT_EQ('#', text[i]) << i;
}

TEST_F(MessageFile, HugeSingleLineWithoutLineBreak) {
    WriteFileBytes(kMessageFileName, std::string(100000, 'z'));
    std::vector<char> text(kMessageBufferSize + 16, '#');
    std::fill(text.begin(), text.begin() + kMessageBufferSize, '\0');
    EXPECT_EQ(
        1, ReadMessageText(kMessageFileName, text.data(), kMessageBufferSize, kMessageBufferSize));
    EXPECT_EQ(static_cast<size_t>(kMessageBufferSize - 1), strlen(text.data()));
    for (size_t i = kMessageBufferSize; i < text.size(); ++i)
        ASSERT_EQ('#', text[i]);
}

// The limit counts bytes read: reading stops at the first line that reaches it.
TEST_F(MessageFile, LimitStopsAfterTheLineThatReachesIt) {
    WriteFileBytes(kMessageFileName, "aaaa\nbbbb\ncccc\n");
    std::vector<char> text(100, '\0');
    EXPECT_EQ(1, ReadMessageText(kMessageFileName, text.data(), text.size(), 6));
    EXPECT_STREQ("aaaa\nbbbb\n", text.data());
}

TEST_F(MessageFile, SmallBufferIsNeverOverrun) {
    WriteFileBytes(kMessageFileName, "0123456789\nabcdefghij\n");
    std::vector<char> text(32, '#');
    std::fill(text.begin(), text.begin() + 8, '\0');
    EXPECT_EQ(1, ReadMessageText(kMessageFileName, text.data(), 8, kMessageBufferSize));
    EXPECT_STREQ("0123456", text.data());
    for (size_t i = 8; i < text.size(); ++i)
        EXPECT_EQ('#', text[i]);
}

TEST_F(MessageFile, NulBytesAndNoFinalLineBreak) {
    std::string bytes("ab\0cd\r\nef\0\0\0gh", 14);
    bytes += std::string(70000, '\0');
    bytes += "\ntail";
    WriteFileBytes(kMessageFileName, bytes);
    std::vector<char> text(kMessageBufferSize + 16, '#');
    std::fill(text.begin(), text.begin() + kMessageBufferSize, '\0');
    EXPECT_EQ(
        1, ReadMessageText(kMessageFileName, text.data(), kMessageBufferSize, kMessageBufferSize));
    // Each piece of a line keeps what comes before its first NUL byte (the line break after
    // the NULs goes with them).
    EXPECT_STREQ("abeftail", text.data());
    for (size_t i = kMessageBufferSize; i < text.size(); ++i)
        ASSERT_EQ('#', text[i]);
    EXPECT_EQ(1, LoadMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ("abeftail", EditText());
}

// The edit of the dialog is limited so that what it holds is saved and shown whole.
TEST_F(MessageFile, FullEditSurvivesWhole) {
    std::string text(kMessageMaxChars, 'm');
    SetWindowTextA(m_hEdit, text.c_str());
    ASSERT_EQ(text.size(), EditText().size());
    ASSERT_EQ(1, SaveMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ(text, AlarmText());
}

// Double-byte characters that straddle the 1023-byte pieces of a long line arrive whole.
TEST_F(MessageFile, DoubleByteCharactersAcrossPieceBoundaries) {
    for (int prefix = 0; prefix < 3; ++prefix) {
        std::string text(static_cast<size_t>(prefix), 'a');
        for (int i = 0; i < 1500; ++i)
            text += "\x82\xa0"; // Shift-JIS hiragana a
        text += "\r\nend";
        RoundTrip(text, std::string(text).replace(text.size() - 5, 2, "\r\r\n"));
    }
}

// Double-byte text fills more bytes than the edit counts characters: none of it is lost.
TEST_F(MessageFile, LongDoubleByteTextIsSavedWhole) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "\x93\xfa"; // a kanji
    SetWindowTextA(m_hEdit, text.c_str());
    ASSERT_EQ(1, SaveMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ(text, ReadFileBytes(kMessageFileName));
    ASSERT_EQ(1, LoadMessageFile(m_hEdit, kMessageFileName));
    EXPECT_EQ(text, EditText());
}
