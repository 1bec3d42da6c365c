// The program's own text and CLOCK.dat are Shift-JIS (code page 932); Windows' W calls take
// UTF-16. Every conversion names code page 932, never the system's, so the text reads the same
// on a system of any code page.
#ifndef CLOCK_PLATFORM_WIDE_TEXT_H
#define CLOCK_PLATFORM_WIDE_TEXT_H

#include <windows.h>

enum { kShiftJisCodePage = 932 };

// Converts the terminated Shift-JIS text into out, outChars wide characters with the
// terminator. A byte that is no Shift-JIS character shows as the replacement character. Returns the
// characters written without the terminator; 0, with out empty, when the text does not fit or
// fails.
int ShiftJisToWide(const char* text, wchar_t* out, int outChars);

// Converts the terminated wide text into out, outSize bytes with the terminator. Returns 1;
// 0, with out empty, when it does not fit or holds a character code page 932 has no bytes for
// (an emoji, say): such a character is never written as '?' or as a look-alike.
int WideToShiftJis(const wchar_t* text, char* out, int outSize);

// Shift-JIS text made wide for the calls it is passed to: in a buffer of its own, or on the heap
// when it is longer. Empty when memory runs out.
class CWideText {
  public:
    explicit CWideText(const char* text);
    ~CWideText();
    CWideText(const CWideText&) = delete;
    CWideText& operator=(const CWideText&) = delete;
    operator const wchar_t*() const { return m_pText; }

  private:
    enum { kInlineChars = 256 };
    wchar_t m_szInline[kInlineChars];
    wchar_t* m_pText;
};

#endif
