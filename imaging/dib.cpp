// The DIB section image: creation, loading of bitmap resources, pixel access, depth conversion
// and colour-keyed copying.
#include "imaging/dib.h"

#include <new>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "imaging/gdi_scope.h"
#include "imaging/palette.h"
#include "imaging/stream.h"
#include "platform/wide_text.h"

namespace {
const int kHeaderSize = 40;
const int kTableEntries = 256;
// Far beyond any picture of the clock; keeps every size computation in range and refuses
// headers that would make us allocate gigabytes.
const int64_t kMaxDimension = 32767;
const int64_t kMaxPixels = 1 << 24;

int IsSupportedBitCount(int bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return 1;
    default:
        return 0;
    }
}

int64_t StrideOf(int64_t bitCount, int64_t width) {
    return ((bitCount * width + 31) / 32) * 4;
}

// One row of ColorKeyCopy: source pixels whose low 24 bits differ from key24 replace the
// destination's, eight at a time where SSE2 is there: a group that is all key is not
// written, one without key is stored without reading the destination; the rest one by one.
void CopyKeyedRow(DWORD* d, const DWORD* s, int width, DWORD key24) {
    int x = 0;
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    const __m128i key = _mm_set1_epi32(static_cast<int>(key24));
    // Eight pixels a step: the whole group is skipped when all are key and stored straight
    // when none is.
    for (; x + 8 <= width; x += 8) {
        const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x));
        const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + x + 4));
        const __m128i k0 = _mm_cmpeq_epi32(_mm_and_si128(p0, mask), key);
        const __m128i k1 = _mm_cmpeq_epi32(_mm_and_si128(p1, mask), key);
        const int bits0 = _mm_movemask_epi8(k0);
        const int bits1 = _mm_movemask_epi8(k1);
        __m128i* out = reinterpret_cast<__m128i*>(d + x);
        if ((bits0 | bits1) == 0) {
            _mm_storeu_si128(out, p0);
            _mm_storeu_si128(out + 1, p1);
        } else if ((bits0 & bits1) != 0xFFFF) {
            const __m128i o0 = _mm_loadu_si128(out);
            const __m128i o1 = _mm_loadu_si128(out + 1);
            _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(k0, o0), _mm_andnot_si128(k0, p0)));
            _mm_storeu_si128(out + 1,
                             _mm_or_si128(_mm_and_si128(k1, o1), _mm_andnot_si128(k1, p1)));
        }
    }
#endif
    for (; x < width; ++x) {
        const DWORD p = s[x];
        if ((p & 0x00FFFFFF) != key24)
            d[x] = p;
    }
}

DWORD ReadDword(const BYTE* p) {
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}
} // namespace

ChannelMasks MakeChannelMasks(int redBits, int greenBits, int blueBits) {
    ChannelMasks masks;
    masks.blue = static_cast<DWORD>((1ull << blueBits) - 1);
    masks.green = static_cast<DWORD>(((1ull << greenBits) - 1) << blueBits);
    masks.red = static_cast<DWORD>(((1ull << redBits) - 1) << (greenBits + blueBits));
    return masks;
}

int CImageExtent::ClipBlitRect(const CImageExtent* destination, const BlitRect* request,
                               BlitRect* result) const {
    // 64-bit arithmetic: no sum of two requested values can overflow.
    const int64_t ws = m_nWidth, hs = m_nHeight;
    const int64_t wd = destination->m_nWidth, hd = destination->m_nHeight;
    const BlitRect& r = *request;
    if (r.DstX >= wd || r.DstY >= hd)
        return 0;
    if (r.Width == 0 || r.Height == 0)
        return 0;
    if (r.SrcX >= ws || r.SrcY >= hs)
        return 0;
    if (static_cast<int64_t>(r.DstX) + r.Width <= 0 || static_cast<int64_t>(r.DstY) + r.Height <= 0)
        return 0;

    int64_t srcX = r.SrcX, srcY = r.SrcY, width = r.Width, height = r.Height;
    int64_t dstX = r.DstX, dstY = r.DstY;
    if (dstX < 0) {
        srcX -= dstX;
        width += dstX;
        dstX = 0;
    }
    if (dstY < 0) {
        srcY -= dstY;
        height += dstY;
        dstY = 0;
    }
    if (dstX + width > wd)
        width = wd - dstX;
    if (dstY + height > hd)
        height = hd - dstY;
    // The source is cut back only when the width (height) alone reaches the source's; the
    // comparison is unsigned, so a negative width counts as a huge one.
    if (static_cast<uint32_t>(width) >= static_cast<uint32_t>(ws))
        width = ws - srcX;
    if (static_cast<uint32_t>(height) >= static_cast<uint32_t>(hs))
        height = hs - srcY;

    result->SrcX = static_cast<int>(srcX);
    result->SrcY = static_cast<int>(srcY);
    result->Width = static_cast<int>(width);
    result->Height = static_cast<int>(height);
    result->DstX = static_cast<int>(dstX);
    result->DstY = static_cast<int>(dstY);

    if (srcX < 0 || srcY < 0 || width <= 0 || height <= 0)
        return 0;
    if (srcX + width > ws || srcY + height > hs)
        return 0;
    // Never hand out a rectangle that leaves the destination (a negative request width could).
    if (dstX + width > wd || dstY + height > hd)
        return 0;
    return 1;
}

CDIB::CDIB()
    : m_hBitmap(nullptr), m_pHeader(nullptr), m_pBits(nullptr), m_pPalette(nullptr), m_bTopDown(1),
      m_pFirstRow(nullptr), m_nRowStep(0), m_nStride(0) {
    m_pPalette = new (std::nothrow) CPalette;
    m_masks = MakeChannelMasks(8, 8, 8);
}

CDIB::~CDIB() {
    Free();
    delete m_pPalette;
    m_pPalette = nullptr;
}

void CDIB::Free() {
    free(m_pHeader);
    m_pHeader = nullptr;
    m_pBits = nullptr;
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

int CDIB::Create(int width, int height, int bitCount, int topDown) {
    Free();
    m_nWidth = width;
    m_nHeight = height;
    m_bTopDown = topDown;
    if (!IsSupportedBitCount(bitCount))
        return 0;
    if (width <= 0 || height <= 0)
        return 0;
    const int64_t stride = StrideOf(bitCount, width);
    if (stride * height > INT32_MAX)
        return 0;

    const int entries = bitCount <= 8 ? 1 << bitCount : 0;
    const int hasMasks = (bitCount == 16 || bitCount == 32) ? 1 : 0;
    const size_t blockSize = kHeaderSize + 4 * entries + (hasMasks ? 12 : 0);
    // Zeroed: the colour table of a new paletted image is black until a conversion sets it.
    m_pHeader = static_cast<BITMAPINFOHEADER*>(calloc(1, blockSize));
    if (m_pHeader == nullptr)
        return 0;
    m_pHeader->biSize = kHeaderSize;
    m_pHeader->biWidth = width;
    m_pHeader->biHeight = topDown ? -height : height;
    m_pHeader->biPlanes = 1;
    m_pHeader->biBitCount = static_cast<WORD>(bitCount);
    m_pHeader->biCompression = hasMasks ? BI_BITFIELDS : BI_RGB;

    m_masks = MakeChannelMasks(8, 8, 8);
    if (bitCount == 16)
        m_masks = MakeChannelMasks(5, 5, 5);
    if (hasMasks) {
        DWORD* masks = reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(m_pHeader) + kHeaderSize);
        masks[0] = m_masks.red;
        masks[1] = m_masks.green;
        masks[2] = m_masks.blue;
    }

    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    m_hBitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(m_pHeader), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (m_hBitmap == nullptr || bits == nullptr) {
        Free();
        return 0;
    }
    m_pBits = static_cast<BYTE*>(bits);
    m_nStride = static_cast<int>(stride);
    m_nRowStep = topDown ? m_nStride : -m_nStride;
    m_pFirstRow = topDown ? m_pBits : m_pBits + static_cast<ptrdiff_t>(height - 1) * m_nStride;
    return 1;
}

int CDIB::GetWidth() const {
    return m_pHeader != nullptr ? m_pHeader->biWidth : 0;
}

int CDIB::GetHeight() const {
    if (m_pHeader == nullptr)
        return 0;
    return m_bTopDown ? -m_pHeader->biHeight : m_pHeader->biHeight;
}

int CDIB::GetBitCount() const {
    return m_pHeader != nullptr ? m_pHeader->biBitCount : 0;
}

int CDIB::GetStride() const {
    if (m_pHeader == nullptr)
        return 0;
    return static_cast<int>(StrideOf(m_pHeader->biBitCount, m_pHeader->biWidth));
}

BYTE* CDIB::GetRow(UINT y) const {
    if (y >= static_cast<UINT>(GetHeight()))
        return nullptr;
    return m_pFirstRow + static_cast<ptrdiff_t>(y) * m_nRowStep;
}

DWORD CDIB::GetPixel(UINT x, UINT y) const {
    if (x >= static_cast<UINT>(GetWidth()) || y >= static_cast<UINT>(GetHeight()))
        return 0;
    const BYTE* row = m_pFirstRow + static_cast<ptrdiff_t>(y) * m_nRowStep;
    switch (m_pHeader->biBitCount) {
    case 1:
        return (row[x / 8] >> (7 - (x % 8))) & 1;
    case 4:
        return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    case 8:
        return row[x];
    case 16:
        return static_cast<DWORD>(row[2 * x]) | (static_cast<DWORD>(row[2 * x + 1]) << 8);
    case 24: {
        const BYTE* p = row + 3 * static_cast<size_t>(x);
        return (static_cast<DWORD>(p[0]) << 16) | (static_cast<DWORD>(p[1]) << 8) | p[2];
    }
    case 32:
        return ReadDword(row + 4 * static_cast<size_t>(x));
    default:
        return 0;
    }
}

int CDIB::LoadFromStream(CStream* stream) {
    Free();
    if (stream == nullptr)
        return 0;
    BITMAPINFOHEADER header;
    memset(&header, 0, sizeof(header));
    if (stream->Read(&header, kHeaderSize) != static_cast<UINT>(kHeaderSize))
        return 0;
    if (header.biCompression != BI_RGB) {
        MessageBoxW(nullptr, CWideText("無圧縮のBitmapではありません"), L"CDIB Error",
                    MB_ICONERROR);
        return 0;
    }

    // The header is not trusted: refuse what cannot be a picture we can read whole.
    const int bitCount = header.biBitCount;
    const int64_t width = header.biWidth, height = header.biHeight;
    if (!IsSupportedBitCount(bitCount))
        return 0;
    if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension ||
        width * height > kMaxPixels)
        return 0;
    int64_t colours = 0;
    if (bitCount <= 8) {
        colours = header.biClrUsed != 0 ? static_cast<int64_t>(header.biClrUsed)
                                        : static_cast<int64_t>(1) << bitCount;
        if (colours > kTableEntries)
            return 0;
    }
    const int64_t length = StrideOf(bitCount, width) * height;
    // Refuse a stream too short for its colour table and rows before making the image.
    const int64_t position = static_cast<UINT>(stream->Seek(0, 1));
    const int64_t available = static_cast<int64_t>(stream->GetSize()) - position;
    if (stream->GetState() == -1 || available < colours * 4 + length)
        return 0;

    if (!Create(static_cast<int>(width), static_cast<int>(height), bitCount, m_bTopDown))
        return 0;

    if (bitCount <= 8) {
        RGBQUAD table[kTableEntries];
        memset(table, 0, sizeof(table));
        const UINT tableBytes = static_cast<UINT>(colours * 4);
        if (stream->Read(table, tableBytes) != tableBytes) {
            Free();
            return 0;
        }
        if (m_pPalette != nullptr)
            m_pPalette->SetEntriesRGBQuad(0, kTableEntries, table);
    }

    if (length != static_cast<int64_t>(GetHeight()) * GetStride()) {
        Free();
        return 0;
    }
    BYTE* block = static_cast<BYTE*>(malloc(static_cast<size_t>(length)));
    if (block == nullptr) {
        Free();
        return 0;
    }
    if (stream->Read(block, static_cast<UINT>(length)) != static_cast<UINT>(length)) {
        free(block);
        Free();
        return 0;
    }
    if (m_bTopDown)
        CopyRowsReversed(m_pBits, block, static_cast<UINT>(length), static_cast<UINT>(m_nStride));
    else
        memcpy(m_pBits, block, static_cast<size_t>(length));
    free(block);
    return 1;
}

int CDIB::LoadFromResource(HINSTANCE module, LPCSTR id) {
    Free();
    CResourceStream* stream = new (std::nothrow) CResourceStream(module, id, RT_BITMAP);
    if (stream == nullptr)
        return 0;
    if (stream->GetState() == -1) {
        delete stream;
        return 0;
    }
    int result = LoadFromStream(stream);
    delete stream;
    return result;
}

int CDIB::ConvertBitCount(WORD bitCount) {
    if (bitCount == GetBitCount())
        return 0;
    if (!IsSupportedBitCount(bitCount))
        return 0;
    if (IsEmpty())
        return 0;

    CDIB* temporary = new (std::nothrow) CDIB;
    if (temporary == nullptr)
        return 0;
    if (!temporary->Create(GetWidth(), GetHeight(), bitCount, 1)) {
        delete temporary;
        return 0;
    }

    {
        CMemoryDC contextA(temporary->GetBitmap());
        CMemoryDC contextB(m_hBitmap);
        HDC a = contextA.Get();
        HDC b = contextB.Get();

        RGBQUAD table[kTableEntries];
        memset(table, 0, sizeof(table));
        if (m_pPalette != nullptr)
            m_pPalette->GetEntriesRGBQuad(0, kTableEntries, table);

        SetStretchBltMode(a, HALFTONE);
        // The colour table of a paletted section is what gives its pixels their colours.
        SetDIBColorTable(b, 0, kTableEntries, table);
        SetDIBColorTable(a, 0, kTableEntries, table);

        const HPALETTE handle = m_pPalette != nullptr ? m_pPalette->GetHandle() : nullptr;
        CSelectObject palette(b, handle);
        if (handle != nullptr)
            RealizePalette(b);
        StretchBlt(a, 0, 0, GetWidth(), GetHeight(), b, 0, 0, GetWidth(), GetHeight(), SRCCOPY);
        // Out of the context before Create frees it.
        contextB.Deselect();

        Create(temporary->GetWidth(), temporary->GetHeight(), bitCount, 1);
        contextB.Select(m_hBitmap);
        SetDIBColorTable(b, 0, kTableEntries, table);
        SetDIBColorTable(a, 0, kTableEntries, table);
        StretchBlt(b, 0, 0, GetWidth(), GetHeight(), a, 0, 0, GetWidth(), GetHeight(), SRCCOPY);
    }
    delete temporary;
    return IsEmpty() ? 0 : 1;
}

int CDIB::LoadConverted(HINSTANCE module, LPCSTR id, int bitCount) {
    if (!LoadFromResource(module, id))
        return 0;
    return ConvertBitCount(static_cast<WORD>(bitCount));
}

int ColorKeyCopy(CDIB* destination, const CDIB* source, const BlitRect* request, DWORD key) {
    if (destination == nullptr || source == nullptr || request == nullptr)
        return 0;
    if (destination->IsEmpty() || source->IsEmpty())
        return 0;
    if (destination->GetBitCount() != 32 || source->GetBitCount() != 32)
        return 0;
    if (!destination->IsTopDown() || !source->IsTopDown())
        return 0;
    BlitRect o;
    if (!source->ClipBlitRect(destination, request, &o))
        return 0;
    // The extents are public: make sure the rectangle lies inside the real pixel memory.
    if (o.SrcX + o.Width > source->GetWidth() || o.SrcY + o.Height > source->GetHeight() ||
        o.DstX + o.Width > destination->GetWidth() || o.DstY + o.Height > destination->GetHeight())
        return 0;

    const DWORD key24 = key & 0x00FFFFFF;
    const BYTE* s = source->GetRow(static_cast<UINT>(o.SrcY)) + 4 * static_cast<size_t>(o.SrcX);
    BYTE* d = destination->GetRow(static_cast<UINT>(o.DstY)) + 4 * static_cast<size_t>(o.DstX);
    const ptrdiff_t sourceStride = source->GetStride();
    const ptrdiff_t destinationStride = destination->GetStride();
    for (int y = 0; y < o.Height; ++y) {
        CopyKeyedRow(reinterpret_cast<DWORD*>(d), reinterpret_cast<const DWORD*>(s), o.Width,
                     key24);
        s += sourceStride;
        d += destinationStride;
    }
    return 1;
}

void CopyRowsReversed(BYTE* destination, const BYTE* source, UINT length, UINT rowLength) {
    if (rowLength == 0)
        return;
    const UINT rows = length / rowLength;
    for (UINT i = 0; i < rows; ++i)
        memcpy(destination + static_cast<size_t>(i) * rowLength,
               source + length - static_cast<size_t>(i + 1) * rowLength, rowLength);
}
