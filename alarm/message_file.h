// The alarm message file "CLOCK.dat": Shift-JIS text written and read in text mode.
#ifndef CLOCK_ALARM_MESSAGE_FILE_H
#define CLOCK_ALARM_MESSAGE_FILE_H

#include <windows.h>
#include <stddef.h>
#include <stdio.h>

extern const char kMessageFileName[];
// Appended to the file name to name the new text while it is being written.
extern const char kMessageTempSuffix[];

// The alarm box's buffer: 32767 bytes and the terminator. The message edit holds as many
// characters.
enum { kMessageBufferSize = 32768, kMessageMaxChars = kMessageBufferSize - 1 };

// How a message file was read.
enum MessageRead {
    kMessageMissing = 0,    // there is no file: nothing can be lost
    kMessageWhole = 1,      // all of it
    kMessageCut = 2,        // only its start: it is longer than asked for, or holds a NUL byte
    kMessageUnreadable = 3, // it is there but cannot be opened or read
};

// Reads the file's text in one pass (text mode: CR LF reads as LF) into text: at most maxChars
// characters and size - 1 bytes, ending on a whole Shift-JIS character, terminated. A file that
// ends on a lone lead byte reads without it. Returns a MessageRead.
int ReadMessageText(const char* fileName, char* text, size_t size, size_t maxChars);
// Sets the edit's text to as much of the file as the edit's limit holds; returns a MessageRead.
int LoadMessageFile(HWND edit, const char* fileName);
// Replaces the file with the edit's text; 0 on failure (the old file is then left as it was).
int SaveMessageFile(HWND edit, const char* fileName);
// Replaces the file with text: written beside it, flushed by flush (1 on success), then moved
// over the old one, so that a crash at any moment leaves the old text or the new one whole.
int WriteMessageFile(const char* fileName, const char* text, int (*flush)(FILE* file));
// Pushes what was written to the file through to the disk; 1 on success.
int FlushToDisk(FILE* file);

#endif
