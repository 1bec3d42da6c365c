// The device-independent image: a DIB section with pixel access, depth conversion, clipping
// and colour-keyed copying.
#ifndef CLOCK_IMAGING_DIB_H
#define CLOCK_IMAGING_DIB_H

#include <windows.h>

class CPalette;
class CStream;

struct ChannelMasks {
    DWORD red;
    DWORD green;
    DWORD blue;
};

ChannelMasks MakeChannelMasks(int redBits, int greenBits, int blueBits);

// The copy rectangle of ColorKeyCopy.
struct BlitRect {
    int SrcX;
    int SrcY;
    int Width;
    int Height;
    int DstX;
    int DstY;
};

// The size last asked of Create; public so the face can read it directly.
class CImageExtent {
  public:
    int m_nWidth = 0;
    int m_nHeight = 0;

    // Called on the source's extent. 1 when a non-empty clipped rectangle remains.
    int ClipBlitRect(const CImageExtent* destination, const BlitRect* request,
                     BlitRect* result) const;
};

class CDIB : public CImageExtent {
  public:
    CDIB();
    virtual ~CDIB();

    int Create(int width, int height, int bitCount, int topDown);
    void Free();
    HBITMAP GetBitmap() const { return m_hBitmap; }
    int GetWidth() const;
    int GetHeight() const;
    int GetBitCount() const;
    int GetStride() const;
    int IsTopDown() const { return m_bTopDown; }
    int IsEmpty() const { return m_pHeader == nullptr ? 1 : 0; }
    BYTE* GetRow(UINT y) const;
    DWORD GetPixel(UINT x, UINT y) const;
    int LoadFromStream(CStream* stream);
    int LoadFromResource(HINSTANCE module, LPCSTR id);
    int ConvertBitCount(WORD bitCount);
    int LoadConverted(HINSTANCE module, LPCSTR id, int bitCount);

  private:
    HBITMAP m_hBitmap;
    BITMAPINFOHEADER* m_pHeader;
    BYTE* m_pBits;
    CPalette* m_pPalette;
    ChannelMasks m_masks;
    int m_bTopDown;
    BYTE* m_pFirstRow;
    int m_nRowStep;
    int m_nStride;

    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;
};

// Copies the pixels of source whose low 24 bits differ from those of key; both images must be
// 32 bits per pixel and top-down. 1 copied, 0 nothing done.
int ColorKeyCopy(CDIB* destination, const CDIB* source, const BlitRect* request, DWORD key);

// Copies length / rowLength rows of rowLength bytes, the source's last row first.
void CopyRowsReversed(BYTE* destination, const BYTE* source, UINT length, UINT rowLength);

#endif
