// Streams one PCM WAVE file to the sound device through two alternating buffers, looping,
// with a callback after every play-through.
#ifndef CLOCK_SOUND_WAVE_MIX_H
#define CLOCK_SOUND_WAVE_MIX_H

#include <windows.h>
#include <mmsystem.h>

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
    void OnBufferDone();
    int IsFormatSupported(WAVEFORMATEX format) const;
    int AllocBuffers(int size);
    void FreeBuffers();
    void CloseFile();
    void NotifyDone();
    HWND CreateNotifyWindow(HWND parent);
    static LRESULT CALLBACK NotifyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

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

  private:
    CWaveMix(const CWaveMix&) = delete;
    CWaveMix& operator=(const CWaveMix&) = delete;
};

#endif
