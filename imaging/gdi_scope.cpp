#include "imaging/gdi_scope.h"

CSelectObject::CSelectObject(HDC dc, HGDIOBJ object, int owned)
    : m_hDC(dc), m_hObject(object), m_hPrevious(nullptr), m_bOwned(owned),
      m_bPalette(object != nullptr && GetObjectType(object) == OBJ_PAL) {
    if (dc == nullptr || object == nullptr)
        return;
    // Palettes are selected through a call of their own.
    m_hPrevious = m_bPalette ? SelectPalette(dc, static_cast<HPALETTE>(object), FALSE)
                             : SelectObject(dc, object);
}

CSelectObject::~CSelectObject() {
    Restore();
    if (m_bOwned && m_hObject != nullptr)
        DeleteObject(m_hObject);
}

void CSelectObject::Restore() {
    if (m_hPrevious == nullptr)
        return;
    if (m_bPalette)
        SelectPalette(m_hDC, static_cast<HPALETTE>(m_hPrevious), FALSE);
    else
        SelectObject(m_hDC, m_hPrevious);
    m_hPrevious = nullptr;
}

CMemoryDC::CMemoryDC(HBITMAP bitmap, HDC like, HDC kept)
    : m_hDC(kept != nullptr ? kept : CreateCompatibleDC(like)), m_bOwnDC(kept == nullptr),
      m_hPrevious(nullptr) {
    Select(bitmap);
}

CMemoryDC::~CMemoryDC() {
    Deselect();
    if (m_bOwnDC && m_hDC != nullptr)
        DeleteDC(m_hDC);
}

void CMemoryDC::Deselect() {
    if (m_hPrevious != nullptr)
        SelectObject(m_hDC, m_hPrevious);
    m_hPrevious = nullptr;
}

void CMemoryDC::Select(HBITMAP bitmap) {
    Deselect();
    if (m_hDC != nullptr && bitmap != nullptr)
        m_hPrevious = SelectObject(m_hDC, bitmap);
}
