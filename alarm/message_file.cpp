#include "alarm/message_file.h"

#include <io.h>
#include <string.h>
#include <new>

#include "sound/sound_files.h"

const char kMessageFileName[] = "CLOCK.dat";
const char kMessageTempSuffix[] = ".new";

namespace {
// Bytes of the first maxChars whole characters of text[0..length): a lead byte whose trail
// byte is missing ends it.
size_t WholeCharacters(const char* text, size_t length, size_t maxChars) {
    size_t at = 0;
    for (size_t chars = 0; at < length && chars < maxChars; ++chars) {
        size_t width = IsDBCSLeadByte(static_cast<BYTE>(text[at])) ? 2 : 1;
        if (at + width > length)
            break;
        at += width;
    }
    return at;
}

// Writes dir\CLOCK.dat (CLOCK.dat for an empty dir) into out; 0 when it does not fit. A root
// such as "C:\" ends in its backslash already; the trail byte 0x5C of a double-byte character
// at the end of a name is no backslash.
int JoinMessageFile(const char* dir, char* out, size_t outSize) {
    size_t length = strlen(dir);
    int endsInSlash = 1;
    for (size_t at = 0, width; at < length; at += width) {
        width = IsDBCSLeadByte(static_cast<BYTE>(dir[at])) && at + 1 < length ? 2 : 1;
        endsInSlash = width == 1 && dir[at] == '\\';
    }
    if (length + 1 + sizeof(kMessageFileName) > outSize)
        return 0;
    strcpy(out, dir);
    strcat(out, endsInSlash ? "" : "\\");
    strcat(out, kMessageFileName);
    return 1;
}

int MessageFileExists(const char* path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return 1;
    // Anything but "not there" (a file held open, a folder that cannot be listed) counts as there.
    DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}
} // namespace

void ChooseMessageFile(const char* programDir, const char* currentDir, int (*exists)(const char*),
                       char* out, size_t outSize) {
    char current[kMessagePathSize];
    // The bare name is the current directory's file too, where its full path does not fit.
    if (!JoinMessageFile(currentDir, current, sizeof(current)))
        strcpy(current, kMessageFileName);
    int beside = programDir[0] != '\0' && JoinMessageFile(programDir, out, outSize);
    if (beside && (exists(out) || !exists(current)))
        return;
    if (outSize > strlen(current))
        strcpy(out, current);
}

void FindMessageFile(char* path) {
    char current[kMessagePathSize];
    DWORD length = GetCurrentDirectoryA(sizeof(current), current);
    if (length == 0 || length >= sizeof(current))
        current[0] = '\0';
    ChooseMessageFile(GetProgramDirectory(), current, MessageFileExists, path, kMessagePathSize);
}

int ReadMessageText(const char* fileName, char* text, size_t size, size_t maxChars) {
    if (size == 0)
        return kMessageUnreadable;
    text[0] = '\0';
    FILE* file = fopen(fileName, "rt");
    if (file == nullptr) {
        DWORD error = GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? kMessageMissing
                                                                              : kMessageUnreadable;
    }
    // One read of a bounded buffer, however large the file: a long one must not hold up the clock.
    size_t got = fread(text, 1, size - 1, file);
    int more = got == size - 1 && fgetc(file) != EOF;
    int failed = ferror(file);
    fclose(file);
    text[got] = '\0';
    size_t length = strlen(text);
    size_t whole = WholeCharacters(text, length, maxChars);
    // Only a lone lead byte at the very end is dropped without counting as lost text.
    int garbage = whole + 1 == length && IsDBCSLeadByte(static_cast<BYTE>(text[whole]));
    text[whole] = '\0';
    if (failed)
        return kMessageUnreadable;
    return more || length < got || (whole < length && !garbage) ? kMessageCut : kMessageWhole;
}

int LoadMessageFile(HWND edit, const char* fileName) {
    SetWindowTextA(edit, "");
    size_t maxChars = static_cast<size_t>(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0));
    if (maxChars > kMessageMaxChars)
        maxChars = kMessageMaxChars;
    // A character takes at most two bytes.
    size_t size = 2 * maxChars + 1;
    char* text = new (std::nothrow) char[size];
    if (text == nullptr)
        return kMessageUnreadable;
    int read = ReadMessageText(fileName, text, size, maxChars);
    // One call, and the edit's modify flag starts cleared: only the user's changes set it.
    SetWindowTextA(edit, text);
    delete[] text;
    return read;
}

int FlushToDisk(FILE* file) {
    return fflush(file) == 0 &&
           FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

DWORD MoveOverFile(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

int WriteMessageFile(const char* fileName, const char* text, int (*flush)(FILE* file),
                     DWORD (*move)(const char* from, const char* to)) {
    char tempName[MAX_PATH + sizeof(kMessageTempSuffix)];
    if (strlen(fileName) >= MAX_PATH)
        return 0;
    strcpy(tempName, fileName);
    strcat(tempName, kMessageTempSuffix);
    // Text mode: every LF of the text is stored as CR LF, so the edit's CR LF becomes CR CR LF.
    FILE* file = fopen(tempName, "wt");
    if (file == nullptr)
        return 0;
    // The new text is on the disk before it takes the old one's name.
    int ok = fputs(text, file) >= 0 && flush(file);
    if (fclose(file) != 0)
        ok = 0;
    // A scanner or the indexer often opens a file just written, or the old one, for a moment.
    for (int tries = 1; ok; ++tries) {
        DWORD error = move(tempName, fileName);
        if (error == 0)
            break;
        int held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                   error == ERROR_LOCK_VIOLATION;
        ok = held && tries < kMessageMoveTries;
        if (ok)
            Sleep(kMessageMoveRetryMs);
    }
    if (!ok)
        DeleteFileA(tempName);
    return ok;
}

int SaveMessageFile(HWND edit, const char* fileName) {
    // The whole text, however long: the edit counts its limit in characters, and double-byte
    // text can take more bytes than that.
    size_t size = static_cast<size_t>(GetWindowTextLengthA(edit)) + 1;
    char* text = new (std::nothrow) char[size];
    if (text == nullptr)
        return 0;
    text[0] = '\0';
    SendMessageA(edit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));
    text[size - 1] = '\0';
    int ok = WriteMessageFile(fileName, text, FlushToDisk, MoveOverFile);
    delete[] text;
    return ok;
}
