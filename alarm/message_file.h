// The alarm message file "CLOCK.dat": Shift-JIS text written and read in text mode, kept beside
// the program. Its paths are wide text, its content Shift-JIS whatever the system's code page.
#ifndef CLOCK_ALARM_MESSAGE_FILE_H
#define CLOCK_ALARM_MESSAGE_FILE_H

#include <windows.h>
#include <stddef.h>
#include <stdio.h>

extern const wchar_t kMessageFileName[];
// Appended to the file name to name the new text while it is being written.
extern const wchar_t kMessageTempSuffix[];

// The alarm box's buffer: 32767 bytes and the terminator. The message edit holds as many
// characters.
enum { kMessageBufferSize = 32768, kMessageMaxChars = kMessageBufferSize - 1 };
// A full path of the message file fits in this many characters (the terminator included).
enum { kMessagePathSize = MAX_PATH };
// A replace that fails because someone holds a file (a virus scanner, the search indexer, just
// after the write) is tried this many times in all, this many milliseconds apart.
enum { kMessageMoveTries = 5, kMessageMoveRetryMs = 60 };

// How a message file was read.
enum MessageRead {
    kMessageMissing = 0,    // there is no file: nothing can be lost
    kMessageWhole = 1,      // all of it
    kMessageCut = 2,        // only its start: it is longer than asked for, or holds a NUL byte
    kMessageUnreadable = 3, // it is there but cannot be opened or read
};

// The message file of a clock in programDir started in currentDir, written into out (outSize
// bytes): the file beside the program when it exists; else one in the current directory, where
// earlier versions kept it (a shortcut's "start in" folder), used where it lies; else the one
// beside the program, which the first save creates. exists(path) says whether a file is there.
// An empty or too long programDir leaves the current directory's file.
void ChooseMessageFile(const wchar_t* programDir, const wchar_t* currentDir,
                       int (*exists)(const wchar_t*), wchar_t* out, size_t outChars);
// The message file of this process (ChooseMessageFile), into kMessagePathSize characters.
void FindMessageFile(wchar_t* path);
// Whether a file whose attributes could not be read for this error may be there all the same:
// only when access to it or its folder is refused, or someone holds it. A drive that is gone (a
// removed USB stick, a dropped network share) holds no file.
int FileMayBeThere(DWORD error);

// Reads the file's text in one pass (text mode: CR LF reads as LF) into text: at most maxChars
// characters and size - 1 bytes, ending on a whole Shift-JIS character, terminated. A file that
// ends on a lone lead byte reads without it. Returns a MessageRead.
int ReadMessageText(const wchar_t* fileName, char* text, size_t size, size_t maxChars);
// Sets the edit's text to as much of the file as the edit's limit holds; returns a MessageRead.
int LoadMessageFile(HWND edit, const wchar_t* fileName);
// Whether every character of the edit's text has Shift-JIS bytes (an emoji has none).
int MessageStorable(HWND edit);
// Replaces the file with the edit's text in Shift-JIS; 0 on failure, or when a character has no
// Shift-JIS bytes (the old file is then left as it was: nothing is stored as '?').
int SaveMessageFile(HWND edit, const wchar_t* fileName);
// Replaces the file with text: written beside it, flushed by flush (1 on success), then moved
// over the old one by move (0 or a Win32 error code), so that a crash at any moment leaves the
// old text or the new one whole. A move refused for sharing or access is tried again
// (kMessageMoveTries); on failure the new file is deleted.
int WriteMessageFile(const wchar_t* fileName, const char* text, int (*flush)(FILE* file),
                     DWORD (*move)(const wchar_t* from, const wchar_t* to));
// Moves from over to, replacing it; 0 or the Win32 error code.
DWORD MoveOverFile(const wchar_t* from, const wchar_t* to);
// Pushes what was written to the file through to the disk; 1 on success.
int FlushToDisk(FILE* file);

#endif
