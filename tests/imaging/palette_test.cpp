// The palette: RGBQUAD transfers, flags, grey ramp, static colours and the system set-up.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/palette.h"

namespace {
UINT EntryCount(const CPalette& palette) {
    return GetPaletteEntries(palette.GetHandle(), 0, 0, nullptr);
}
} // namespace

TEST(Palette, RGBQuadRoundTrip) {
    CPalette palette;
    RGBQUAD in = {0x10, 0x20, 0x30, 0x99};
    EXPECT_EQ(1u, palette.SetEntriesRGBQuad(5, 1, &in));
    PALETTEENTRY entry = {};
    EXPECT_EQ(1u, palette.GetEntries(5, 1, &entry));
    EXPECT_EQ(0x30, entry.peRed);
    EXPECT_EQ(0x20, entry.peGreen);
    EXPECT_EQ(0x10, entry.peBlue);
    EXPECT_EQ(PC_RESERVED, entry.peFlags);
    RGBQUAD out = {0xAA, 0xBB, 0xCC, 0xDD};
    EXPECT_EQ(1u, palette.GetEntriesRGBQuad(5, 1, &out));
    EXPECT_EQ(0x10, out.rgbBlue);
    EXPECT_EQ(0x20, out.rgbGreen);
    EXPECT_EQ(0x30, out.rgbRed);
    EXPECT_EQ(0, out.rgbReserved);
}

TEST(Palette, WholeTableRoundTrip) {
    CPalette palette;
    RGBQUAD in[256];
    for (int i = 0; i < 256; ++i)
        in[i] = RGBQUAD{(BYTE)(255 - i), (BYTE)(i * 3), (BYTE)i, (BYTE)i};
    EXPECT_EQ(256u, palette.SetEntriesRGBQuad(0, 256, in));
    RGBQUAD out[256];
    EXPECT_EQ(256u, palette.GetEntriesRGBQuad(0, 256, out));
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(in[i].rgbBlue, out[i].rgbBlue);
        EXPECT_EQ(in[i].rgbGreen, out[i].rgbGreen);
        EXPECT_EQ(in[i].rgbRed, out[i].rgbRed);
        EXPECT_EQ(0, out[i].rgbReserved);
    }
}

TEST(Palette, CountsAreLimited) {
    CPalette palette;
    RGBQUAD quads[300] = {};
    EXPECT_EQ(0u, palette.GetEntriesRGBQuad(0, 0, quads));
    // Counts beyond the 256 entries are cut to what exists.
    EXPECT_EQ(256u, palette.SetEntriesRGBQuad(0, 300, quads));
    EXPECT_EQ(6u, palette.GetEntriesRGBQuad(250, 300, quads));
    EXPECT_EQ(0u, palette.GetEntriesRGBQuad(256, 1, quads));
    EXPECT_EQ(0u, palette.SetEntriesRGBQuad(300, 1, quads));
}

TEST(Palette, NothingWithoutAHandle) {
    CPalette palette;
    palette.Delete();
    EXPECT_EQ(nullptr, palette.GetHandle());
    RGBQUAD quad = {1, 2, 3, 4};
    EXPECT_EQ(0u, palette.GetEntriesRGBQuad(0, 1, &quad));
    EXPECT_EQ(1, quad.rgbBlue);
    EXPECT_EQ(4, quad.rgbReserved);
    EXPECT_EQ(0u, palette.SetEntriesRGBQuad(0, 1, &quad));
    PALETTEENTRY entry = {};
    EXPECT_EQ(0u, palette.GetEntries(0, 1, &entry));
    palette.Delete();
}

TEST(Palette, GreyRamp) {
    CPalette palette;
    EXPECT_EQ(1, palette.CreateGreyRamp());
    ASSERT_NE(nullptr, palette.GetHandle());
    EXPECT_EQ(256u, EntryCount(palette));
    PALETTEENTRY entries[256];
    EXPECT_EQ(256u, palette.GetEntries(0, 256, entries));
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(i, entries[i].peRed);
        EXPECT_EQ(i, entries[i].peGreen);
        EXPECT_EQ(i, entries[i].peBlue);
        EXPECT_EQ(PC_RESERVED, entries[i].peFlags);
    }
}

TEST(Palette, StaticColours) {
    static const BYTE kExpected[20][3] = {
        {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
        {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
        {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
        {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
    };
    CPalette palette;
    EXPECT_EQ(1, palette.CreateStaticColors());
    EXPECT_EQ(256u, EntryCount(palette));
    PALETTEENTRY entries[256];
    EXPECT_EQ(256u, palette.GetEntries(0, 256, entries));
    for (int k = 0; k < 20; ++k) {
        const int i = k < 10 ? k : 236 + k;
        EXPECT_EQ(kExpected[k][0], entries[i].peRed) << i;
        EXPECT_EQ(kExpected[k][1], entries[i].peGreen) << i;
        EXPECT_EQ(kExpected[k][2], entries[i].peBlue) << i;
        EXPECT_EQ(0, entries[i].peFlags) << i;
    }
    for (int i = 10; i < 246; ++i) {
        EXPECT_EQ(0, entries[i].peRed | entries[i].peGreen | entries[i].peBlue) << i;
        EXPECT_EQ(0, entries[i].peFlags) << i;
    }
}

TEST(Palette, SystemPaletteFlags) {
    PALETTEENTRY entries[256];
    for (int staticCount : {20, 21}) {
        memset(entries, 0x55, sizeof(entries));
        SetSystemPaletteFlags(entries, 256, staticCount);
        for (int i = 0; i < 256; ++i) {
            const BYTE expected = (i < 10 || i >= 246) ? 0 : PC_NOCOLLAPSE;
            EXPECT_EQ(expected, entries[i].peFlags) << staticCount << " " << i;
            EXPECT_EQ(0x55, entries[i].peRed);
        }
    }
    memset(entries, 0x55, sizeof(entries));
    SetSystemPaletteFlags(entries, 16, 4);
    EXPECT_EQ(0, entries[1].peFlags);
    EXPECT_EQ(PC_NOCOLLAPSE, entries[2].peFlags);
    EXPECT_EQ(PC_NOCOLLAPSE, entries[13].peFlags);
    EXPECT_EQ(0, entries[14].peFlags);
    EXPECT_EQ(0x55, entries[16].peFlags);
    // No static colours: every entry may be taken over.
    SetSystemPaletteFlags(entries, 256, 0);
    EXPECT_EQ(PC_NOCOLLAPSE, entries[0].peFlags);
    EXPECT_EQ(PC_NOCOLLAPSE, entries[255].peFlags);
}

TEST(Palette, ConstructedOnADisplayWithoutPalette) {
    // The test display is truecolour: the palette starts from the static colours.
    HDC screen = GetDC(nullptr);
    const int paletted = GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE;
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(0, paletted);
    CPalette palette;
    ASSERT_NE(nullptr, palette.GetHandle());
    EXPECT_EQ(256u, EntryCount(palette));
    PALETTEENTRY entries[256];
    EXPECT_EQ(256u, palette.GetEntries(0, 256, entries));
    for (int i = 0; i < 256; ++i) {
        const BYTE expected = (i < 10 || i >= 246) ? 0 : PC_NOCOLLAPSE;
        EXPECT_EQ(expected, entries[i].peFlags) << i;
    }
    EXPECT_EQ(1, palette.SetupSystemPalette());
    EXPECT_EQ(256u, EntryCount(palette));
}
