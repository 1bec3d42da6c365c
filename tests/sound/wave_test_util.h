// Helpers for the sound tests: WAVE files made on the spot, the captured output of the sound
// device, and a bounded message pump.
#ifndef CLOCK_TESTS_SOUND_WAVE_TEST_UTIL_H
#define CLOCK_TESTS_SOUND_WAVE_TEST_UTIL_H

#include <windows.h>

#include <string>
#include <vector>

class CWaveMix;

// A chunk of a RIFF file as written, its size field given separately so tests can lie with it.
struct RawChunk {
    std::string id;
    std::vector<unsigned char> body;
    unsigned long long size; // value written to the size field
};

std::vector<unsigned char> PcmFormat(int channels, int rate, int bits, int blockAlign = -1,
                                     int avgBytes = -1, int tag = 1);
// Distinct, recognisable sample bytes.
std::vector<unsigned char> SampleData(size_t size, unsigned seed = 1);
std::vector<unsigned char> RiffFile(const std::vector<RawChunk>& chunks, long long riffSize = -1,
                                    const char* form = "WAVE");
std::vector<unsigned char> WaveFile(int channels, int rate, int bits,
                                    const std::vector<unsigned char>& data);

// A fresh file name in the test's temporary directory.
std::string TempWavePath(const char* name);
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
// The whole file, or nothing when it cannot be opened.
std::vector<unsigned char> ReadFileBytes(const std::string& path);

// The sound device's output as captured by the harness (CLOCK_AUDIO_CAPTURE). Empty name
// when the variable is not set.
std::string CapturePath();
std::vector<unsigned char> ReadCapture();
void ClearCapture();

// Dispatches messages until `done` returns true or the cap runs out; returns `done()`.
bool PumpUntil(bool (*done)(void*), void* arg, DWORD capMs = 60000);
// Dispatches whatever arrives during `ms` milliseconds.
void PumpFor(DWORD ms);

#endif
