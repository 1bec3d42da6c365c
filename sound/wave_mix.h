// Streams one PCM WAVE file to the sound device through two alternating buffers, looping,
// with a callback after every play-through.
#ifndef CLOCK_SOUND_WAVE_MIX_H
#define CLOCK_SOUND_WAVE_MIX_H

#include <windows.h>
#include <mmsystem.h>

// Where the sound data of a RIFF WAVE image lies, as found by ParseWaveLayout.
struct WaveLayout {
    WAVEFORMATEX format; // the first 16 bytes of the "fmt " chunk, cbSize 0
    LONG riffSize;       // size field of the RIFF chunk, as stored
    LONG fmtOffset;      // file offset of the "fmt " chunk's contents
    LONG fmtSize;        // size field of the "fmt " chunk, as stored
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

class CWaveMix {
  public:
    explicit CWaveMix(HWND parent);
    virtual ~CWaveMix();

    int Open(const char* path);
    void Play();
    void Stop();
    void Rewind();
    int Seek(int offset, int origin);
    void SetCallback(void (*done)(int* playCount)) { m_pfnDone = done; }
    // 1: every play-through is followed by the next until Stop.
    void SetLoop(int loop) { m_bLoop = loop; }

    // 1 while a play-through holds the device (buffers queued, completions expected).
    int IsPlaying() const { return m_bDeviceOpen; }

  private:
    CWaveMix(const CWaveMix&) = delete;
    CWaveMix& operator=(const CWaveMix&) = delete;

    static LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateNotifyWindow(HWND parent);
    void OnBufferDone();
    void NotifyDone();
    int IsFormatSupported(WAVEFORMATEX format) const;
    int AllocBuffers(int size);
    void FreeBuffers();
    void CloseFile();
    int FillBuffer(int index);
    int QueueBuffer(int index);
    void CloseDevice();

    HWND m_hWnd;
    UINT m_nDevices;
    WAVEHDR* m_pHeader[2];
    BYTE* m_pBuffer[2];
    int m_nRemaining;
    int m_nBufferSize;
    int m_nLength[2];
    int m_nDataSize;
    HMMIO m_hmmio;
    MMCKINFO m_ckRiff;
    MMCKINFO m_ckSub;
    int m_nDataOffset;
    WAVEFORMATEX m_format;
    WAVEOUTCAPSA m_caps;
    HWAVEOUT m_hWaveOut;
    int m_nCurrent;
    int m_bEnding;
    int m_bLoop;
    int m_bStopped;
    int m_nPlayCount;
    void (*m_pfnDone)(int* playCount);
    int m_bDeviceOpen;        // m_hWaveOut is open (it keeps its value after closing)
    const WinmmApi* m_pWinmm; // nullptr when winmm could not be loaded
};

// 1 when a format record describes PCM sound the platform can be handed safely: one or two
// channels of 8, 16, 24 or 32-bit samples (nBlockAlign and wBitsPerSample agreeing) at a rate
// of 1 to 192000 Hz. The platform's format converter aborts the process on some other records.
int IsPlayableFormat(const WAVEFORMATEX& format);

// Size of each of the two buffers for a format: four seconds of sound, in whole frames, kept
// within sane bounds whatever the file's format record claims.
int WaveBufferSize(const WAVEFORMATEX& format);

#endif
