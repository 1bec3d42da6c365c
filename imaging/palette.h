// A GDI logical palette of 256 entries: the colours of a paletted bitmap until it is converted,
// and the system palette set-up for 256-colour displays.
#ifndef CLOCK_IMAGING_PALETTE_H
#define CLOCK_IMAGING_PALETTE_H

#include <windows.h>

// The 20 static colours of the default system palette: entries 0 to 9 and 246 to 255.
extern const PALETTEENTRY kStaticColors[20];

// Flags of the system palette copy: the staticCount / 2 entries at each end keep flags 0, the
// ones between get PC_NOCOLLAPSE. size is limited to 256.
void SetSystemPaletteFlags(PALETTEENTRY* entries, int size, int staticCount);

class CPalette {
  public:
    CPalette();
    virtual ~CPalette();

    void Delete();
    int CreateGreyRamp();
    int CreateStaticColors();
    int SetupSystemPalette();
    HPALETTE GetHandle() const { return m_hPalette; }
    UINT SetEntries(UINT first, UINT count, const PALETTEENTRY* entries);
    UINT GetEntries(UINT first, UINT count, PALETTEENTRY* entries);
    UINT GetEntriesRGBQuad(UINT first, UINT count, RGBQUAD* quads);
    UINT SetEntriesRGBQuad(UINT first, UINT count, const RGBQUAD* quads);

  private:
    HPALETTE m_hPalette;

    CPalette(const CPalette&) = delete;
    CPalette& operator=(const CPalette&) = delete;
};

#endif
