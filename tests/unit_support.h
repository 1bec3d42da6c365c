// Helpers shared by the unit tests: bytes built little-endian, scratch files, an in-memory
// stream, the fuzz round count, the captured sound output and a bounded message pump.
#ifndef CLOCK_TESTS_UNIT_SUPPORT_H
#define CLOCK_TESTS_UNIT_SUPPORT_H

#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/stream.h"

typedef std::vector<unsigned char> Bytes;

inline void Put(Bytes& b, unsigned long long value, int count) {
    for (int i = 0; i < count; ++i)
        b.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// Rounds of a fuzz loop: CLOCK_FUZZ_COUNT when set ("make fuzz"), else a quick default.
inline int FuzzCount(int quick) {
    const char* value = getenv("CLOCK_FUZZ_COUNT");
    return value != nullptr && atoi(value) > 0 ? atoi(value) : quick;
}

inline std::string TempPath(const char* name) {
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
}

// Shift-JIS (or ASCII) text as the program's wide paths and texts hold it.
inline std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], wide.size()) - 1);
    return wide;
}

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), bytes.size());
}

inline Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class CMemoryStream : public CStream {
  public:
    explicit CMemoryStream(const Bytes& data) : m_data(data) {
        m_nSize = static_cast<UINT>(data.size());
    }
    UINT Read(void* buffer, UINT length) override {
        const UINT n = m_nPosition >= m_nSize ? 0 : std::min(length, m_nSize - m_nPosition);
        memcpy(buffer, m_data.data() + m_nPosition, n);
        return m_nPosition += n, n;
    }
    int Seek(int offset, int origin) override {
        return m_nPosition = (origin == 0 ? 0 : origin == 1 ? m_nPosition : m_nSize) + offset;
    }
    UINT GetSize() override { return m_nSize; }

  private:
    Bytes m_data;
};

// The file the test's sound device writes to: CLOCK_AUDIO_CAPTURE is "|cat >>/unix/path".
inline std::string CapturePath() {
    const char* value = getenv("CLOCK_AUDIO_CAPTURE");
    const char* arrow = value != nullptr ? strrchr(value, '>') : nullptr;
    return arrow == nullptr ? std::string() : "Z:" + std::string(arrow + 1);
}

// Dispatches messages until done() or capMs have passed; returns done().
template <class F> bool PumpUntil(F done, DWORD capMs = 20000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < capMs) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}

#endif
