#include "sound/wave_mix.h"

#include <new>
#include <string.h>

#include "platform/system_dlls.h"

namespace {

const char kNotifyClassName[] = "CWaveMix";

// Four seconds per buffer, but never less than this nor more than that, whatever the file says.
const LONGLONG kMinBufferSize = 4096;
const LONGLONG kMaxBufferSize = 4 * 1024 * 1024;

DWORD ReadDword(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

WORD ReadWord(const BYTE* p) {
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

// The sound files are read with the file calls, not winmm's mmio: its file procedure opens a
// file by an ANSI name of at most 128 characters, which a folder's name may not have.
LONG SeekTo(HANDLE file, LONG offset) {
    return static_cast<LONG>(SetFilePointer(file, offset, nullptr, FILE_BEGIN));
}

LONG ReadOn(HANDLE file, void* out, LONG size) {
    DWORD got = 0;
    return ReadFile(file, out, static_cast<DWORD>(size), &got, nullptr) ? static_cast<LONG>(got)
                                                                        : -1;
}

LONG ReadFromFile(void* source, LONG offset, void* out, LONG size) {
    HANDLE file = static_cast<HANDLE>(source);
    return SeekTo(file, offset) == offset ? ReadOn(file, out, size) : -1;
}

} // namespace

int ParseWaveLayout(WaveReadAt read, void* source, LONG fileSize, WaveLayout* layout) {
    if (!read || !layout || fileSize < 12)
        return 0;
    memset(layout, 0, sizeof(*layout));
    BYTE head[12];
    if (read(source, 0, head, 12) != 12)
        return 0;
    if (ReadDword(head) != FOURCC_RIFF || ReadDword(head + 8) != mmioFOURCC('W', 'A', 'V', 'E'))
        return 0;
    // Sub-chunks must lie within the RIFF chunk and within the file. Positions are kept in
    // 64 bits and only ever grow, so no stored size can wrap the walk round or stall it.
    LONGLONG end = 8 + static_cast<LONGLONG>(ReadDword(head + 4));
    if (end > fileSize)
        end = fileSize;
    const FOURCC fmtId = mmioFOURCC('f', 'm', 't', ' ');
    const FOURCC dataId = mmioFOURCC('d', 'a', 't', 'a');
    int haveFormat = 0;
    int haveData = 0;
    LONGLONG pos = 12;
    while (pos + 8 <= end && !(haveFormat && haveData)) {
        BYTE chunk[8];
        if (read(source, static_cast<LONG>(pos), chunk, 8) != 8)
            return 0;
        FOURCC id = ReadDword(chunk);
        LONGLONG size = ReadDword(chunk + 4);
        LONGLONG contents = pos + 8;
        if (id == fmtId && !haveFormat) {
            // Only the PCM record's 16 bytes are read; a shorter chunk is no format at all.
            if (size < 16 || contents + 16 > end)
                return 0;
            BYTE rec[16];
            if (read(source, static_cast<LONG>(contents), rec, 16) != 16)
                return 0;
            layout->format.wFormatTag = ReadWord(rec);
            layout->format.nChannels = ReadWord(rec + 2);
            layout->format.nSamplesPerSec = ReadDword(rec + 4);
            layout->format.nAvgBytesPerSec = ReadDword(rec + 8);
            layout->format.nBlockAlign = ReadWord(rec + 12);
            layout->format.wBitsPerSample = ReadWord(rec + 14);
            layout->format.cbSize = 0;
            haveFormat = 1;
        } else if (id == dataId && !haveData) {
            LONGLONG avail = end - contents;
            layout->dataOffset = static_cast<LONG>(contents);
            layout->dataSize = static_cast<LONG>(size < avail ? size : avail);
            haveData = 1;
        }
        pos = contents + size + (size & 1);
    }
    if (!haveFormat || !haveData)
        return 0;
    // A partial frame at the end cannot be played.
    if (layout->format.nBlockAlign > 0)
        layout->dataSize -= layout->dataSize % layout->format.nBlockAlign;
    return 1;
}

int IsPlayableFormat(const WAVEFORMATEX& format) {
    if (format.wFormatTag != WAVE_FORMAT_PCM)
        return 0;
    if (format.nChannels != 1 && format.nChannels != 2)
        return 0;
    if (format.nBlockAlign == 0 || format.nBlockAlign % format.nChannels != 0)
        return 0;
    int bytes = format.nBlockAlign / format.nChannels;
    if (bytes > 4 || format.wBitsPerSample != bytes * 8)
        return 0;
    return format.nSamplesPerSec >= 1 && format.nSamplesPerSec <= 192000;
}

int WaveBufferSize(const WAVEFORMATEX& format) {
    LONGLONG size = 4 * static_cast<LONGLONG>(format.nAvgBytesPerSec);
    if (size < kMinBufferSize)
        size = kMinBufferSize;
    if (size > kMaxBufferSize)
        size = kMaxBufferSize;
    LONGLONG block = format.nBlockAlign > 0 ? format.nBlockAlign : 1;
    size -= size % block;
    if (size < block)
        size = block;
    return static_cast<int>(size);
}

CWaveMix::CWaveMix(HWND parent)
    : m_pWinmm(Winmm()), m_hWnd(nullptr), m_nState(kPlayerClosed), m_hFile(INVALID_HANDLE_VALUE),
      m_nDataOffset(0), m_nDataSize(0), m_nRemaining(0),
      m_hWaveOut(nullptr), m_pHeader{nullptr, nullptr}, m_pBuffer{nullptr, nullptr},
      m_nBufferSize(0), m_nLength{0, 0}, m_nCurrent(0), m_bLoop(0), m_nPlayCount(0),
      m_pfnDone(nullptr) {
    memset(&m_format, 0, sizeof(m_format));
    // Without winmm or a sound device the player stays inert: it opens files but plays nothing.
    if (m_pWinmm == nullptr || m_pWinmm->waveOutGetNumDevs() == 0)
        return;
    m_pHeader[0] = new (std::nothrow) WAVEHDR();
    m_pHeader[1] = new (std::nothrow) WAVEHDR();
    if (!m_pHeader[0] || !m_pHeader[1])
        return;
    m_hWnd = CreateNotifyWindow(parent);
    if (m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CWaveMix::~CWaveMix() {
    CloseDevice();
    CloseFile();
    FreeBuffers();
    if (m_hWnd) {
        // Notices still queued for the window must not reach a deleted player.
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
    delete m_pHeader[0];
    delete m_pHeader[1];
}

HWND CWaveMix::CreateNotifyWindow(HWND parent) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = NotifyWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kNotifyClassName;
    RegisterClassA(&wc); // fails harmlessly when an earlier player registered it
    return CreateWindowExA(0, kNotifyClassName, "", 0, 0, 0, 0, 0, parent, nullptr, instance,
                           nullptr);
}

LRESULT CALLBACK CWaveMix::NotifyWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWaveMix* player = reinterpret_cast<CWaveMix*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (player && message == MM_WOM_DONE)
        player->OnBufferDone();
    return DefWindowProcA(window, message, wParam, lParam);
}

int CWaveMix::Open(const wchar_t* path) {
    // A new file never plays under a device still fed from the old one.
    CloseDevice();
    CloseFile();
    if (!path || m_pWinmm == nullptr)
        return 0;
    m_hFile = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE)
        return 0;
    // The chunks are walked by hand: the library's own chunk search follows the sizes stored in
    // the file unchecked, so a crafted size can send it round in circles.
    LONG fileSize = static_cast<LONG>(SetFilePointer(m_hFile, 0, nullptr, FILE_END));
    WaveLayout layout;
    if (fileSize < 0 || !ParseWaveLayout(ReadFromFile, m_hFile, fileSize, &layout) ||
        !IsPlayableFormat(layout.format)) {
        CloseFile();
        return 0;
    }
    m_format = layout.format;
    m_nDataOffset = layout.dataOffset;
    m_nDataSize = layout.dataSize;
    m_nState = kPlayerOpen;
    Rewind();
    return m_nState == kPlayerOpen;
}

int CWaveMix::AllocBuffers(int size) {
    FreeBuffers();
    if (size <= 0)
        return 0;
    m_pBuffer[0] = new (std::nothrow) BYTE[size];
    m_pBuffer[1] = new (std::nothrow) BYTE[size];
    if (!m_pBuffer[0] || !m_pBuffer[1]) {
        FreeBuffers();
        return 0;
    }
    return 1;
}

void CWaveMix::FreeBuffers() {
    delete[] m_pBuffer[0];
    delete[] m_pBuffer[1];
    m_pBuffer[0] = m_pBuffer[1] = nullptr;
}

void CWaveMix::CloseFile() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_nState = kPlayerClosed;
    m_nRemaining = 0;
}

int CWaveMix::Play() {
    // Inert, already playing, finished and not rewound, or nothing to play.
    if (!m_hWnd || m_nState != kPlayerOpen || m_nRemaining <= 0)
        return 0;
    m_nBufferSize = WaveBufferSize(m_format);
    HWAVEOUT device = nullptr;
    if (!AllocBuffers(m_nBufferSize) ||
        m_pWinmm->waveOutOpen(&device, WAVE_MAPPER, &m_format, reinterpret_cast<DWORD_PTR>(m_hWnd),
                              0, CALLBACK_WINDOW) != MMSYSERR_NOERROR) {
        FreeBuffers();
        return 0;
    }
    m_hWaveOut = device;
    m_nState = kPlayerPlaying;
    m_nCurrent = 0;
    FillBuffer(0);
    FillBuffer(1);
    if (m_nLength[0] <= 0 || !QueueBuffer(0)) {
        Rewind();
        return 0;
    }
    // Only the first buffer holds sound, or the device took no second one: it plays out alone.
    if (m_nLength[1] <= 0 || !QueueBuffer(1))
        m_nState = kPlayerDraining;
    return 1;
}

int CWaveMix::FillBuffer(int index) {
    int n = m_nRemaining < m_nBufferSize ? m_nRemaining : m_nBufferSize;
    if (n <= 0 || m_hFile == INVALID_HANDLE_VALUE || !m_pBuffer[index]) {
        m_nLength[index] = 0;
        return 0;
    }
    LONG got = ReadOn(m_hFile, m_pBuffer[index], n);
    if (got < 0)
        got = 0;
    if (got < n) {
        // The file shrank since it was opened: what is left is all there is.
        m_nRemaining = 0;
        if (m_format.nBlockAlign > 0)
            got -= got % m_format.nBlockAlign;
    } else {
        m_nRemaining -= n;
    }
    m_nLength[index] = got;
    return got;
}

int CWaveMix::QueueBuffer(int index) {
    WAVEHDR* header = m_pHeader[index];
    memset(header, 0, sizeof(*header));
    header->lpData = reinterpret_cast<LPSTR>(m_pBuffer[index]);
    header->dwBufferLength = static_cast<DWORD>(m_nLength[index]);
    if (m_pWinmm->waveOutPrepareHeader(m_hWaveOut, header, sizeof(*header)) != MMSYSERR_NOERROR)
        return 0;
    if (m_pWinmm->waveOutWrite(m_hWaveOut, header, sizeof(*header)) != MMSYSERR_NOERROR) {
        m_pWinmm->waveOutUnprepareHeader(m_hWaveOut, header, sizeof(*header));
        return 0;
    }
    return 1;
}

// Ends the device's part of a play-through; the caller says which state follows.
void CWaveMix::CloseDevice() {
    if (!IsPlaying())
        return;
    m_pWinmm->waveOutReset(m_hWaveOut);
    for (int i = 0; i < 2; ++i) {
        if (m_pHeader[i]->dwFlags & WHDR_PREPARED)
            m_pWinmm->waveOutUnprepareHeader(m_hWaveOut, m_pHeader[i], sizeof(WAVEHDR));
    }
    m_pWinmm->waveOutClose(m_hWaveOut);
    m_hWaveOut = nullptr;
    m_nState = kPlayerFinished;
}

void CWaveMix::OnBufferDone() {
    // Only a buffer of the running play-through that the device has really finished counts:
    // notices left over from a reset or closed device find no such buffer and change nothing.
    if (!IsPlaying())
        return;
    const int done = m_nCurrent;
    WAVEHDR* header = m_pHeader[done];
    const DWORD finished = WHDR_DONE | WHDR_PREPARED;
    if ((header->dwFlags & finished) != finished)
        return;
    m_pWinmm->waveOutUnprepareHeader(m_hWaveOut, header, sizeof(*header));
    m_nCurrent = 1 - done;
    if (m_nState == kPlayerPlaying) {
        if (FillBuffer(done) > 0 && QueueBuffer(done))
            return;
        // The file is read out (or the device took no more): what is queued plays out.
        m_nState = kPlayerDraining;
    }
    if (m_pHeader[m_nCurrent]->dwFlags & WHDR_PREPARED)
        return;
    FinishPlayThrough();
}

void CWaveMix::FinishPlayThrough() {
    CloseDevice();
    ++m_nPlayCount;
    if (m_pfnDone)
        m_pfnDone(&m_nPlayCount);
    // The callback may have stopped the player, which leaves it kOpen: no next play-through.
    if (m_nState == kPlayerFinished && m_bLoop) {
        Rewind();
        Play();
    }
}

void CWaveMix::Stop() {
    m_nPlayCount = 0;
    Rewind();
}

// Back to the start of the sound data, the device closed: kOpen (kClosed stays so).
void CWaveMix::Rewind() {
    if (m_nState == kPlayerClosed)
        return;
    CloseDevice();
    m_nState = kPlayerOpen;
    m_nRemaining = m_nDataSize;
    if (SeekTo(m_hFile, m_nDataOffset) != m_nDataOffset)
        CloseFile();
}
