#include "platform/wide_text.h"

#include <new>

int ShiftJisToWide(const char* text, wchar_t* out, int outChars) {
    if (out == nullptr || outChars <= 0)
        return 0;
    out[0] = L'\0';
    if (text == nullptr)
        return 0;
    int written = MultiByteToWideChar(kShiftJisCodePage, 0, text, -1, out, outChars);
    if (written <= 0) {
        out[0] = L'\0';
        return 0;
    }
    return written - 1;
}

int WideToShiftJis(const wchar_t* text, char* out, int outSize) {
    if (out == nullptr || outSize <= 0)
        return 0;
    out[0] = '\0';
    if (text == nullptr)
        return 0;
    // No best fit: a character 932 lacks must be refused, not turned into another one.
    BOOL lost = FALSE;
    int written = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, text, -1, out,
                                      outSize, nullptr, &lost);
    if (written <= 0 || lost) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

CWideText::CWideText(const char* text) : m_pText(m_szInline) {
    m_szInline[0] = L'\0';
    const int needed =
        text != nullptr ? MultiByteToWideChar(kShiftJisCodePage, 0, text, -1, nullptr, 0) : 0;
    if (needed > kInlineChars) {
        wchar_t* heap = new (std::nothrow) wchar_t[needed];
        if (heap == nullptr)
            return;
        m_pText = heap;
    }
    ShiftJisToWide(text, m_pText, needed > kInlineChars ? needed : kInlineChars);
}

CWideText::~CWideText() {
    if (m_pText != m_szInline)
        delete[] m_pText;
}
