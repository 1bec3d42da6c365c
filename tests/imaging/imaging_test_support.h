// Helpers of the imaging tests: the formulas of the test pictures (the same as in
// make_bitmaps.py), a message box watcher and an in-memory stream.
#ifndef CLOCK_TESTS_IMAGING_TEST_SUPPORT_H
#define CLOCK_TESTS_IMAGING_TEST_SUPPORT_H

#include <windows.h>

#include <string.h>
#include <string>
#include <vector>

#include "imaging/stream.h"

namespace imaging_test {

inline DWORD Rgb(int r, int g, int b) {
    return (DWORD)((r << 16) | (g << 8) | b);
}

// 1 bit, 13 x 5.
inline DWORD Colour1(int i) {
    return i ? Rgb(0xFE, 0xDC, 0xBA) : Rgb(0x12, 0x34, 0x56);
}
inline int Index1(int x, int y) {
    return (x + 2 * y) % 3 == 0 ? 1 : 0;
}
// 4 bits, 7 x 6.
inline DWORD Colour4(int i) {
    return Rgb(i * 16 + 1, 255 - i * 8, i * 5 + 3);
}
inline int Index4(int x, int y) {
    return (x * 3 + y * 5) % 16;
}
// 8 bits, 9 x 7.
inline DWORD Colour8(int i) {
    return Rgb(i, (i * 7) & 255, 255 - i);
}
inline int Index8(int x, int y) {
    return (x * 31 + y * 17) % 256;
}
// 16 bits (5-5-5), 5 x 4: channel values of five bits.
inline int Red16(int x, int y) {
    return (x * 7 + y) % 32;
}
inline int Green16(int x, int y) {
    return (y * 9 + x * 2) % 32;
}
inline int Blue16(int x, int y) {
    return ((31 - x * 3 - y) % 32 + 32) % 32;
}
inline DWORD Raw16(int x, int y) {
    return (DWORD)((Red16(x, y) << 10) | (Green16(x, y) << 5) | Blue16(x, y));
}
// 24 bits, 6 x 3 (and the 8 x 8 truncated ones).
inline DWORD Colour24(int x, int y) {
    return Rgb(x * 30 + y, y * 30 + x, 200 - x * 10 - y);
}
// 32 bits, 4 x 3.
inline DWORD Pixel32(int x, int y) {
    return 0x00010203u * (x + 1) + 0x00400000u * y + 0x0Fu;
}
// 8 bits with 236 used colours, 10 x 4.
inline DWORD Colour236(int i) {
    return Rgb((i * 3) & 255, i, 255 - i);
}
inline int Index236(int x, int y) {
    return (x * 23 + y * 7) % 236;
}

// Closes the first message box with the given caption that appears while it lives, and
// keeps its text.
class MessageBoxWatcher {
  public:
    explicit MessageBoxWatcher(const char* caption) : m_caption(caption) {
        m_hStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_hThread = CreateThread(nullptr, 0, &MessageBoxWatcher::Run, this, 0, nullptr);
    }
    ~MessageBoxWatcher() {
        SetEvent(m_hStop);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        CloseHandle(m_hStop);
    }
    // Waits for the watcher to finish its one box (or gives up after a while).
    void Finish() {
        SetEvent(m_hStop);
        WaitForSingleObject(m_hThread, INFINITE);
    }
    int Count() const { return m_nSeen; }
    const std::string& Text() const { return m_text; }
    int HasCancel() const { return m_bCancel; }
    int HasIcon() const { return m_bIcon; }

  private:
    static DWORD WINAPI Run(void* self) {
        static_cast<MessageBoxWatcher*>(self)->Poll();
        return 0;
    }
    void Poll() {
        for (;;) {
            HWND box = FindWindowA("#32770", m_caption.c_str());
            if (box != nullptr) {
                char text[1024] = {0};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
                m_text = text;
                m_bCancel = GetDlgItem(box, IDCANCEL) != nullptr ? 1 : 0;
                HWND icon = GetDlgItem(box, 0x0440);
                m_bIcon = (icon != nullptr && IsWindowVisible(icon) &&
                           SendMessageA(icon, STM_GETICON, 0, 0) != 0)
                              ? 1
                              : 0;
                ++m_nSeen;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                // Wait until it is gone, so it is counted once.
                for (int i = 0; i < 500 && IsWindow(box); ++i)
                    Sleep(10);
            }
            if (WaitForSingleObject(m_hStop, 10) == WAIT_OBJECT_0)
                return;
        }
    }

    std::string m_caption;
    std::string m_text;
    HANDLE m_hStop = nullptr;
    HANDLE m_hThread = nullptr;
    volatile int m_nSeen = 0;
    int m_bCancel = 0;
    int m_bIcon = 0;
};

// A stream over a byte vector, for loads of data the resources cannot hold.
class CMemoryStream : public CStream {
  public:
    explicit CMemoryStream(const std::vector<BYTE>& data) : m_data(data) {
        m_nSize = (UINT)m_data.size();
    }
    UINT Read(void* buffer, UINT length) override {
        if (m_nPosition >= m_nSize)
            return 0;
        if (length > m_nSize - m_nPosition)
            length = m_nSize - m_nPosition;
        memcpy(buffer, m_data.data() + m_nPosition, length);
        m_nPosition += length;
        m_nTotalRead += length;
        return length;
    }
    int Seek(int offset, int origin) override {
        if (origin == 0)
            m_nPosition = (UINT)offset;
        else if (origin == 1)
            m_nPosition += (UINT)offset;
        else if (origin == 2)
            m_nPosition = m_nSize + (UINT)offset;
        return (int)m_nPosition;
    }
    UINT GetSize() override { return m_nSize; }
    UINT TotalRead() const { return m_nTotalRead; }

  private:
    std::vector<BYTE> m_data;
    UINT m_nTotalRead = 0;
};

// The packed DIB of a bitmap resource of this executable.
inline std::vector<BYTE> ResourceBytes(int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), RT_BITMAP);
    if (found == nullptr)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<BYTE>(data, data + SizeofResource(nullptr, found));
}

} // namespace imaging_test

#endif
