#include "wave_test_util.h"

#include <stdio.h>
#include <stdlib.h>

namespace {

void PutWord(std::vector<unsigned char>& v, unsigned w) {
    v.push_back((unsigned char)(w & 0xFF));
    v.push_back((unsigned char)((w >> 8) & 0xFF));
}

void PutDword(std::vector<unsigned char>& v, unsigned long long d) {
    for (int i = 0; i < 4; ++i)
        v.push_back((unsigned char)((d >> (8 * i)) & 0xFF));
}

void PutId(std::vector<unsigned char>& v, const std::string& id) {
    for (size_t i = 0; i < 4; ++i)
        v.push_back((unsigned char)(i < id.size() ? id[i] : ' '));
}

} // namespace

std::vector<unsigned char> PcmFormat(int channels, int rate, int bits, int blockAlign, int avgBytes,
                                     int tag) {
    if (blockAlign < 0)
        blockAlign = channels * bits / 8;
    if (avgBytes < 0)
        avgBytes = rate * blockAlign;
    std::vector<unsigned char> v;
    PutWord(v, (unsigned)tag);
    PutWord(v, (unsigned)channels);
    PutDword(v, (unsigned)rate);
    PutDword(v, (unsigned)avgBytes);
    PutWord(v, (unsigned)blockAlign);
    PutWord(v, (unsigned)bits);
    return v;
}

std::vector<unsigned char> SampleData(size_t size, unsigned seed) {
    std::vector<unsigned char> v(size);
    unsigned x = seed * 2654435761u + 12345u;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        v[i] = (unsigned char)(x >> 16);
    }
    return v;
}

std::vector<unsigned char> RiffFile(const std::vector<RawChunk>& chunks, long long riffSize,
                                    const char* form) {
    std::vector<unsigned char> body;
    PutId(body, form);
    for (const RawChunk& c : chunks) {
        PutId(body, c.id);
        PutDword(body, c.size);
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() & 1)
            body.push_back(0);
    }
    std::vector<unsigned char> v;
    PutId(v, "RIFF");
    PutDword(v, riffSize < 0 ? body.size() : (unsigned long long)riffSize);
    v.insert(v.end(), body.begin(), body.end());
    return v;
}

std::vector<unsigned char> WaveFile(int channels, int rate, int bits,
                                    const std::vector<unsigned char>& data) {
    std::vector<unsigned char> fmt = PcmFormat(channels, rate, bits);
    return RiffFile({{"fmt ", fmt, fmt.size()}, {"data", data, data.size()}});
}

std::string TempWavePath(const char* name) {
    static std::string dir;
    if (dir.empty()) {
        char base[MAX_PATH];
        GetTempPathA(sizeof(base), base);
        char unique[MAX_PATH];
        snprintf(unique, sizeof(unique), "%sclock-sound-%lu", base, GetCurrentProcessId());
        CreateDirectoryA(unique, NULL);
        dir = unique;
    }
    return dir + "\\" + name;
}

void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string CapturePath() {
    // The harness's ALSA file device names its output after CLOCK_AUDIO_CAPTURE. A plain file
    // name is truncated every time the device is opened, and the player opens the device anew
    // for every play-through; so the tests run with the pipe form "|cat >>FILE", which appends
    // every opening's bytes and has them on disk once the device is closed.
    const char* value = getenv("CLOCK_AUDIO_CAPTURE");
    if (!value || !*value)
        return std::string();
    std::string unix = value;
    if (unix[0] == '|') {
        size_t arrow = unix.rfind('>');
        if (arrow == std::string::npos)
            return std::string();
        unix = unix.substr(arrow + 1);
        size_t first = unix.find_first_not_of(' ');
        if (first == std::string::npos)
            return std::string();
        unix = unix.substr(first);
    }
    return std::string("Z:") + unix;
}

void ClearCapture() {
    std::string path = CapturePath();
    if (path.empty())
        return;
    FILE* f = fopen(path.c_str(), "wb");
    if (f)
        fclose(f);
}

std::vector<unsigned char> ReadFileBytes(const std::string& path) {
    std::vector<unsigned char> v;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return v;
    unsigned char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        v.insert(v.end(), buf, buf + n);
    fclose(f);
    return v;
}

std::vector<unsigned char> ReadCapture() {
    std::string path = CapturePath();
    return path.empty() ? std::vector<unsigned char>() : ReadFileBytes(path);
}

bool PumpUntil(bool (*done)(void*), void* arg, DWORD capMs) {
    DWORD start = GetTickCount();
    while (!done(arg)) {
        if (GetTickCount() - start > capMs)
            return false;
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}
