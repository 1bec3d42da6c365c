// The palette of an image: grey ramp, static colours, system palette and RGBQUAD transfers.
#include "imaging/palette.h"

#include <new>
#include <stdlib.h>
#include <string.h>

#include "imaging/gdi_scope.h"

namespace {
const int kEntries = 256;

// A LOGPALETTE with room for all 256 entries.
struct PaletteBlock {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[kEntries];
};

PaletteBlock* NewBlock() {
    PaletteBlock* block = new (std::nothrow) PaletteBlock;
    if (block == nullptr)
        return nullptr;
    memset(block, 0, sizeof(*block));
    block->palVersion = 0x300;
    block->palNumEntries = kEntries;
    return block;
}

UINT LimitCount(UINT first, UINT count) {
    if (first >= static_cast<UINT>(kEntries))
        return 0;
    return count > static_cast<UINT>(kEntries) - first ? static_cast<UINT>(kEntries) - first
                                                       : count;
}
} // namespace

const PALETTEENTRY kStaticColors[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

void SetSystemPaletteFlags(PALETTEENTRY* entries, int size, int staticCount) {
    if (size > kEntries)
        size = kEntries;
    if (size <= 0)
        return;
    int half = staticCount / 2;
    if (half < 0)
        half = 0;
    for (int i = 0; i < size; ++i)
        entries[i].peFlags = (i < half || i >= size - half) ? 0 : PC_NOCOLLAPSE;
}

CPalette::CPalette() : m_hPalette(nullptr) {
    CreateGreyRamp();
    SetupSystemPalette();
}

CPalette::~CPalette() {
    Delete();
}

void CPalette::Delete() {
    if (m_hPalette != nullptr) {
        DeleteObject(m_hPalette);
        m_hPalette = nullptr;
    }
}

int CPalette::CreateGreyRamp() {
    Delete();
    PaletteBlock* block = NewBlock();
    if (block == nullptr)
        return 0;
    for (int i = 0; i < kEntries; ++i) {
        PALETTEENTRY& e = block->palPalEntry[i];
        e.peRed = e.peGreen = e.peBlue = static_cast<BYTE>(i);
        e.peFlags = PC_RESERVED;
    }
    m_hPalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(block));
    delete block;
    return 1;
}

int CPalette::CreateStaticColors() {
    Delete();
    PaletteBlock* block = NewBlock();
    if (block == nullptr)
        return 0;
    // Entries 10 to 245 stay black with flags 0.
    for (int i = 0; i < 10; ++i) {
        block->palPalEntry[i] = kStaticColors[i];
        block->palPalEntry[246 + i] = kStaticColors[10 + i];
    }
    m_hPalette = CreatePalette(reinterpret_cast<LOGPALETTE*>(block));
    delete block;
    return m_hPalette != nullptr ? 1 : 0;
}

int CPalette::SetupSystemPalette() {
    CMemoryDC context(nullptr);
    HDC dc = context.Get();
    if (dc == nullptr)
        return 0;
    int staticCount = GetDeviceCaps(dc, NUMCOLORS);
    int size = GetDeviceCaps(dc, SIZEPALETTE);
    if (SetSystemPaletteUse(dc, SYSPAL_NOSTATIC) == SYSPAL_ERROR) {
        // A display without a palette: start from the static colours.
        CreateStaticColors();
        staticCount = 20;
        size = kEntries;
    }
    SetSystemPaletteUse(dc, SYSPAL_NOSTATIC);
    SetSystemPaletteUse(dc, SYSPAL_STATIC);

    {
        CSelectObject palette(dc, m_hPalette);
        RealizePalette(dc);
    }

    if (size > kEntries)
        size = kEntries;
    UINT set = 0;
    if (size > 0 && m_hPalette != nullptr) {
        // Entries the system does not deliver keep the colours the palette already holds.
        PALETTEENTRY buffer[kEntries];
        memset(buffer, 0, sizeof(buffer));
        GetPaletteEntries(m_hPalette, 0, static_cast<UINT>(size), buffer);
        GetSystemPaletteEntries(dc, 0, static_cast<UINT>(size), buffer);
        SetSystemPaletteFlags(buffer, size, staticCount);
        ResizePalette(m_hPalette, static_cast<UINT>(size));
        set = SetPaletteEntries(m_hPalette, 0, static_cast<UINT>(size), buffer);
    }
    return set != 0 ? 1 : 0;
}

UINT CPalette::SetEntries(UINT first, UINT count, const PALETTEENTRY* entries) {
    if (m_hPalette == nullptr)
        return 0;
    return SetPaletteEntries(m_hPalette, first, count, entries);
}

UINT CPalette::GetEntries(UINT first, UINT count, PALETTEENTRY* entries) {
    if (m_hPalette == nullptr)
        return 0;
    return GetPaletteEntries(m_hPalette, first, count, entries);
}

UINT CPalette::GetEntriesRGBQuad(UINT first, UINT count, RGBQUAD* quads) {
    count = LimitCount(first, count);
    if (count == 0)
        return 0;
    PALETTEENTRY entries[kEntries];
    UINT n = GetEntries(first, count, entries);
    if (n > count)
        n = count;
    for (UINT i = 0; i < n; ++i) {
        quads[i].rgbBlue = entries[i].peBlue;
        quads[i].rgbGreen = entries[i].peGreen;
        quads[i].rgbRed = entries[i].peRed;
        quads[i].rgbReserved = 0;
    }
    return n;
}

UINT CPalette::SetEntriesRGBQuad(UINT first, UINT count, const RGBQUAD* quads) {
    count = LimitCount(first, count);
    if (count == 0)
        return 0;
    PALETTEENTRY entries[kEntries];
    for (UINT i = 0; i < count; ++i) {
        entries[i].peRed = quads[i].rgbRed;
        entries[i].peGreen = quads[i].rgbGreen;
        entries[i].peBlue = quads[i].rgbBlue;
        entries[i].peFlags = PC_RESERVED;
    }
    return SetEntries(first, count, entries);
}
