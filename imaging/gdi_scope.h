// Scoped device-context work: whatever is selected into a context is put back, and a context
// made here is deleted, on every path out of the scope.
#ifndef CLOCK_IMAGING_GDI_SCOPE_H
#define CLOCK_IMAGING_GDI_SCOPE_H

#include <windows.h>

// Selects a GDI object (a palette too) into dc for the scope and puts the previous one back at
// its end; an owned object is deleted once it is out. A null object or context selects nothing.
class CSelectObject {
  public:
    CSelectObject(HDC dc, HGDIOBJ object, int owned = 0);
    ~CSelectObject();
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

    // Puts the previous object back now rather than at the end of the scope.
    void Restore();

  private:
    HDC m_hDC;
    HGDIOBJ m_hObject;
    HGDIOBJ m_hPrevious;
    int m_bOwned;
    int m_bPalette;
};

// A memory context with a bitmap selected. Either borrowed (kept: a context someone else keeps
// for longer, left alive) or made here compatible with like (null: the screen) and deleted at
// the end. Get() is null when no context could be made.
class CMemoryDC {
  public:
    explicit CMemoryDC(HBITMAP bitmap, HDC like = nullptr, HDC kept = nullptr);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_hDC; }
    // Puts the context's first bitmap back, so the one selected may be freed or replaced.
    void Deselect();
    // Deselects, then selects bitmap (null: none).
    void Select(HBITMAP bitmap);

  private:
    HDC m_hDC;
    int m_bOwnDC;
    HGDIOBJ m_hPrevious;
};

#endif
