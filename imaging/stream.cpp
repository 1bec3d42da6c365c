// Read-only byte streams over the resources of the executable.
#include "imaging/stream.h"

#include <string.h>

#include "platform/wide_text.h"

CStream::CStream() : m_nPosition(0), m_nState(0), m_nSize(0) {}

CStream::~CStream() {}

int CStream::Clear() {
    m_nPosition = 0;
    m_nSize = 0;
    m_nState = 0;
    return 0;
}

CResourceStream::CResourceStream(HINSTANCE module, LPCSTR name, LPCSTR type)
    : m_hResource(nullptr), m_pData(nullptr) {
    Clear();
    HRSRC found = FindResourceA(module, name, type);
    if (found == nullptr) {
        char text[1024];
        wsprintfA(text, "Resource:%dが見つかりませんでした。",
                  static_cast<int>(reinterpret_cast<INT_PTR>(name)));
        MessageBoxW(nullptr, CWideText(text), L"CResourceStream Error", MB_OK);
        m_nState = -1;
        return;
    }
    m_hResource = LoadResource(module, found);
    m_pData = static_cast<const BYTE*>(LockResource(m_hResource));
    m_nSize = SizeofResource(module, found);
}

CResourceStream::~CResourceStream() {
    FreeResource(m_hResource);
    Clear();
}

int CResourceStream::Clear() {
    m_hResource = nullptr;
    m_pData = nullptr;
    return CStream::Clear();
}

UINT CResourceStream::Read(void* buffer, UINT length) {
    if (m_pData == nullptr) {
        m_nState = -1;
        return 0;
    }
    // An unbounded Seek may have left the position anywhere: nothing lies beyond the end.
    if (m_nPosition >= m_nSize)
        return 0;
    if (length > m_nSize - m_nPosition)
        length = m_nSize - m_nPosition;
    memcpy(buffer, m_pData + m_nPosition, length);
    m_nPosition += length;
    return length;
}

int CResourceStream::Seek(int offset, int origin) {
    if (m_pData == nullptr) {
        m_nState = -1;
        return 0;
    }
    // Unsigned arithmetic: the position wraps instead of overflowing.
    switch (origin) {
    case 0:
        m_nPosition = static_cast<UINT>(offset);
        break;
    case 1:
        m_nPosition += static_cast<UINT>(offset);
        break;
    case 2:
        m_nPosition = m_nSize + static_cast<UINT>(offset);
        break;
    default:
        break;
    }
    return static_cast<int>(m_nPosition);
}

UINT CResourceStream::GetSize() {
    return m_nSize;
}
