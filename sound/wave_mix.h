// Streams one PCM WAVE file to the sound device through two alternating buffers, looping,
// with a callback after every play-through.
#ifndef CLOCK_SOUND_WAVE_MIX_H
#define CLOCK_SOUND_WAVE_MIX_H

#include <windows.h>
#include <mmsystem.h>

// Where the sound data of a RIFF WAVE image lies, as found by ParseWaveLayout.
struct WaveLayout {
    WAVEFORMATEX format; // the first 16 bytes of the "fmt " chunk, cbSize 0
    LONG dataOffset;     // file offset of the first byte of sound data
    LONG dataSize;       // playable bytes: the stored size cut to the file and to whole frames
};

// Reads `size` bytes at absolute offset `offset` into `out`; returns the number of bytes read
// (fewer at the end of the file), or -1 on failure.
typedef LONG (*WaveReadAt)(void* source, LONG offset, void* out, LONG size);

// Walks the chunks of a RIFF WAVE file of `fileSize` bytes through `read`. Returns 1 and fills
// `layout` when the file has a RIFF "WAVE" header, a "fmt " chunk of at least 16 bytes and a
// "data" chunk inside the file; 0 otherwise. Terminates for any content.
int ParseWaveLayout(WaveReadAt read, void* source, LONG fileSize, WaveLayout* layout);

struct WinmmApi;

// A player moves between these states only:
//
//   state     | Open ok / bad | Play        | a buffer done             | Stop
//   ----------+---------------+-------------+---------------------------+---------
//   kClosed   | kOpen/kClosed | -           | -                         | -
//   kOpen     | kOpen/kClosed | kPlaying(*) | -                         | kOpen
//   kPlaying  | kOpen/kClosed | -           | refilled: kPlaying,       | kOpen
//             |               |             | file read out: kDraining  |
//   kDraining | kOpen/kClosed | -           | last one: kFinished       | kOpen
//   kFinished | kOpen/kClosed | -           | -                         | kOpen
//
// (*) kDraining at once when the whole file fits in the first buffer. Entering kFinished
// calls the callback; a looping player that is still kFinished after it starts the next
// play-through (kOpen, then Play). Stop, Open and kFinished close the device; kOpen always
// stands at the start of the sound data.
enum WavePlayerState {
    kPlayerClosed,
    kPlayerOpen,
    kPlayerPlaying,
    kPlayerDraining,
    kPlayerFinished
};

class CWaveMix {
  public:
    explicit CWaveMix(HWND parent);
    virtual ~CWaveMix();

    // 1 when the file is a WAVE file of a playable format (IsPlayableFormat), 0 otherwise.
    int Open(const wchar_t* path);
    // 1 when a play-through has started.
    int Play();
    void Stop();
    void SetCallback(void (*done)(int* playCount)) { m_pfnDone = done; }
    // 1: every play-through is followed by the next until Stop.
    void SetLoop(int loop) { m_bLoop = loop; }

    // 1 while a play-through holds the device (buffers queued, completions expected).
    int IsPlaying() const { return m_nState == kPlayerPlaying || m_nState == kPlayerDraining; }

  private:
    CWaveMix(const CWaveMix&) = delete;
    CWaveMix& operator=(const CWaveMix&) = delete;

    static LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateNotifyWindow(HWND parent);
    void OnBufferDone();
    void FinishPlayThrough();
    void Rewind();
    int AllocBuffers(int size);
    void FreeBuffers();
    void CloseFile();
    int FillBuffer(int index);
    int QueueBuffer(int index);
    void CloseDevice();

    const WinmmApi* m_pWinmm; // nullptr when winmm could not be loaded
    HWND m_hWnd;              // receives the device's notices; nullptr: the player is inert
    WavePlayerState m_nState;
    HANDLE m_hFile;
    WAVEFORMATEX m_format;
    int m_nDataOffset;
    int m_nDataSize;
    int m_nRemaining; // bytes of sound data not yet read into a buffer
    HWAVEOUT m_hWaveOut;
    WAVEHDR* m_pHeader[2];
    BYTE* m_pBuffer[2];
    int m_nBufferSize;
    int m_nLength[2];
    int m_nCurrent; // the buffer the device finishes next
    int m_bLoop;
    int m_nPlayCount;
    void (*m_pfnDone)(int* playCount);
};

// The one format rule: 1 when a format record describes PCM sound the platform can be handed
// safely: one or two channels of 8, 16, 24 or 32-bit samples (nBlockAlign and wBitsPerSample
// agreeing) at a rate of 1 to 192000 Hz. The platform's format converter aborts the process on
// some other records.
int IsPlayableFormat(const WAVEFORMATEX& format);

// Size of each of the two buffers for a format: four seconds of sound, in whole frames, kept
// within sane bounds whatever the file's format record claims.
int WaveBufferSize(const WAVEFORMATEX& format);

#endif
