#include "alarm/message_file.h"

#include <io.h>
#include <string.h>
#include <wchar.h>
#include <new>

#include "platform/wide_text.h"
#include "sound/sound_files.h"

const wchar_t kMessageFileName[] = L"CLOCK.dat";
const wchar_t kMessageTempSuffix[] = L".new";

namespace {
int IsShiftJisLead(char byte) {
    return IsDBCSLeadByteEx(kShiftJisCodePage, static_cast<BYTE>(byte)) != 0;
}

// Bytes of the first maxChars whole characters of text[0..length): a lead byte whose trail
// byte is missing ends it.
size_t WholeCharacters(const char* text, size_t length, size_t maxChars) {
    size_t at = 0;
    for (size_t chars = 0; at < length && chars < maxChars; ++chars) {
        size_t width = IsShiftJisLead(text[at]) ? 2 : 1;
        if (at + width > length)
            break;
        at += width;
    }
    return at;
}

// Writes dir\CLOCK.dat (CLOCK.dat for an empty dir) into out; 0 when it does not fit. A root
// such as "C:\" ends in its backslash already.
int JoinMessageFile(const wchar_t* dir, wchar_t* out, size_t outChars) {
    size_t length = wcslen(dir);
    int endsInSlash = length == 0 || dir[length - 1] == L'\\';
    if (length + 1 + sizeof(kMessageFileName) / sizeof(wchar_t) > outChars)
        return 0;
    wcscpy(out, dir);
    wcscat(out, endsInSlash ? L"" : L"\\");
    wcscat(out, kMessageFileName);
    return 1;
}

int MessageFileExists(const wchar_t* path) {
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES || FileMayBeThere(GetLastError());
}
} // namespace

int FileMayBeThere(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

void ChooseMessageFile(const wchar_t* programDir, const wchar_t* currentDir,
                       int (*exists)(const wchar_t*), wchar_t* out, size_t outChars) {
    wchar_t current[kMessagePathSize];
    // The bare name is the current directory's file too, where its full path does not fit.
    if (!JoinMessageFile(currentDir, current, kMessagePathSize))
        wcscpy(current, kMessageFileName);
    int beside = programDir[0] != L'\0' && JoinMessageFile(programDir, out, outChars);
    if (beside && (exists(out) || !exists(current)))
        return;
    if (outChars > wcslen(current))
        wcscpy(out, current);
}

void FindMessageFile(wchar_t* path) {
    wchar_t current[kMessagePathSize];
    DWORD length = GetCurrentDirectoryW(kMessagePathSize, current);
    if (length == 0 || length >= kMessagePathSize)
        current[0] = L'\0';
    ChooseMessageFile(GetProgramDirectory(), current, MessageFileExists, path, kMessagePathSize);
}

int ReadMessageText(const wchar_t* fileName, char* text, size_t size, size_t maxChars) {
    if (size == 0)
        return kMessageUnreadable;
    text[0] = '\0';
    FILE* file = _wfopen(fileName, L"rt");
    if (file == nullptr) {
        DWORD error = GetFileAttributesW(fileName) == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
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
    int garbage = whole + 1 == length && IsShiftJisLead(text[whole]);
    text[whole] = '\0';
    if (failed)
        return kMessageUnreadable;
    return more || length < got || (whole < length && !garbage) ? kMessageCut : kMessageWhole;
}

int LoadMessageFile(HWND edit, const wchar_t* fileName) {
    SetWindowTextW(edit, L"");
    size_t maxChars = static_cast<size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    if (maxChars > kMessageMaxChars)
        maxChars = kMessageMaxChars;
    // A character takes at most two bytes, and each byte at most one wide character.
    size_t size = 2 * maxChars + 1;
    char* text = new (std::nothrow) char[size];
    wchar_t* wide = text != nullptr ? new (std::nothrow) wchar_t[size] : nullptr;
    int read = kMessageUnreadable;
    if (wide != nullptr) {
        read = ReadMessageText(fileName, text, size, maxChars);
        ShiftJisToWide(text, wide, static_cast<int>(size));
        // One call, and the edit's modify flag starts cleared: only the user's changes set it.
        SetWindowTextW(edit, wide);
    }
    delete[] wide;
    delete[] text;
    return read;
}

namespace {
// The edit's text in Shift-JIS in a fresh buffer (the caller deletes it); null when a character
// has no Shift-JIS bytes, or memory runs out.
char* MessageBytes(HWND edit) {
    // The whole text, however long: the edit counts its limit in characters.
    const int length = GetWindowTextLengthW(edit);
    wchar_t* wide = new (std::nothrow) wchar_t[length + 1];
    char* text = wide != nullptr ? new (std::nothrow) char[2 * length + 1] : nullptr;
    if (text != nullptr) {
        wide[0] = L'\0';
        GetWindowTextW(edit, wide, length + 1);
        if (!WideToShiftJis(wide, text, 2 * length + 1)) {
            delete[] text;
            text = nullptr;
        }
    }
    delete[] wide;
    return text;
}
} // namespace

int MessageStorable(HWND edit) {
    char* text = MessageBytes(edit);
    delete[] text;
    return text != nullptr;
}

int FlushToDisk(FILE* file) {
    return fflush(file) == 0 &&
           FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

DWORD MoveOverFile(const wchar_t* from, const wchar_t* to) {
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : GetLastError();
}

int WriteMessageFile(const wchar_t* fileName, const char* text, int (*flush)(FILE* file),
                     DWORD (*move)(const wchar_t* from, const wchar_t* to)) {
    wchar_t tempName[kMessagePathSize + sizeof(kMessageTempSuffix) / sizeof(wchar_t)];
    if (wcslen(fileName) >= kMessagePathSize)
        return 0;
    wcscpy(tempName, fileName);
    wcscat(tempName, kMessageTempSuffix);
    // Text mode: every LF of the text is stored as CR LF, so the edit's CR LF becomes CR CR LF.
    FILE* file = _wfopen(tempName, L"wt");
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
        DeleteFileW(tempName);
    return ok;
}

int SaveMessageFile(HWND edit, const wchar_t* fileName) {
    char* text = MessageBytes(edit);
    if (text == nullptr)
        return 0;
    int ok = WriteMessageFile(fileName, text, FlushToDisk, MoveOverFile);
    delete[] text;
    return ok;
}
