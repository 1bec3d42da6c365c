// The alarm message file "CLOCK.dat": Shift-JIS text written and read in text mode.
#ifndef CLOCK_ALARM_MESSAGE_FILE_H
#define CLOCK_ALARM_MESSAGE_FILE_H

#include <windows.h>
#include <stddef.h>

extern const char kMessageFileName[];
// Appended to the file name to name the new text while it is being written.
extern const char kMessageTempSuffix[];

// The most text the message edit, the file and the alarm box carry whole: 32767 bytes and the
// terminator.
enum { kMessageBufferSize = 32768, kMessageMaxChars = kMessageBufferSize - 1 };

// Fills the edit with the file's text. 0 when the file cannot be opened (the edit is left empty).
int LoadMessageFile(HWND edit, const char* fileName);
// Replaces the file with the edit's text. The new text goes to a file beside it first, so the old
// file survives anything that goes wrong before the replacement. 0 on failure.
int SaveMessageFile(HWND edit, const char* fileName);
// Appends the file's lines to the zero-filled text buffer until at least limit bytes were read.
// Never writes more than bufferSize bytes (the text is cut there and stays terminated).
// 0 when the file cannot be opened.
int ReadMessageText(const char* fileName, char* text, size_t bufferSize, size_t limit);

#endif
