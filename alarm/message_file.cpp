#include "alarm/message_file.h"

#include <stdio.h>
#include <string.h>

#include <new>

const char kMessageFileName[] = "CLOCK.dat";
const char kMessageTempSuffix[] = ".new";

namespace {
// Lines are read in pieces of at most this many bytes minus the terminator.
const int kLineBufferSize = 1024;
} // namespace

// Length of the part of piece[0..length) that ends on a whole character: a lead byte of a
// double-byte character that lost its trail byte to the piece boundary is left out.
size_t WholeCharacterLength(const char* piece, size_t length) {
    size_t i = 0;
    while (i < length) {
        if (IsDBCSLeadByte(static_cast<BYTE>(piece[i]))) {
            if (i + 1 >= length)
                return i;
            i += 2;
        } else {
            ++i;
        }
    }
    return length;
}

int LoadMessageFile(HWND edit, const char* fileName) {
    SetWindowTextA(edit, "");
    FILE* file = fopen(fileName, "rt");
    if (file == nullptr)
        return 0;
    // A long line comes in pieces; a double-byte character cut at a piece's end is carried
    // over to the next piece rather than inserted as half a character.
    char line[kLineBufferSize + 1];
    size_t carried = 0;
    while (fgets(line + carried, kLineBufferSize, file) != nullptr) {
        size_t length = carried + strlen(line + carried);
        size_t whole = WholeCharacterLength(line, length);
        char held = line[whole];
        line[whole] = '\0';
        // The caret follows each insertion, so the lines accumulate in file order.
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line));
        carried = length - whole;
        if (carried != 0)
            line[0] = held;
    }
    if (carried != 0) {
        line[carried] = '\0';
        SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line));
    }
    fclose(file);
    return 1;
}

int SaveMessageFile(HWND edit, const char* fileName) {
    // The whole text, however long: the edit counts its limit in characters, and double-byte
    // text can take more bytes than that.
    size_t size = static_cast<size_t>(GetWindowTextLengthA(edit)) + 1;
    if (size < kMessageBufferSize)
        size = kMessageBufferSize;
    char* text = new (std::nothrow) char[size];
    if (text == nullptr)
        return 0;
    text[0] = '\0';
    SendMessageA(edit, WM_GETTEXT, size, reinterpret_cast<LPARAM>(text));
    text[size - 1] = '\0';

    char tempName[MAX_PATH + sizeof(kMessageTempSuffix)];
    if (strlen(fileName) >= MAX_PATH) {
        delete[] text;
        return 0;
    }
    strcpy(tempName, fileName);
    strcat(tempName, kMessageTempSuffix);

    // Text mode: every LF of the text is stored as CR LF, so the edit's CR LF becomes CR CR LF.
    int ok = 0;
    FILE* file = fopen(tempName, "wt");
    if (file != nullptr) {
        ok = fputs(text, file) >= 0;
        if (fclose(file) != 0)
            ok = 0;
        if (ok)
            ok = MoveFileExA(tempName, fileName, MOVEFILE_REPLACE_EXISTING) != 0;
        if (!ok)
            DeleteFileA(tempName);
    }
    delete[] text;
    return ok;
}

int ReadMessageText(const char* fileName, char* text, size_t bufferSize, size_t limit) {
    FILE* file = fopen(fileName, "rt");
    if (file == nullptr)
        return 0;
    if (bufferSize == 0) {
        fclose(file);
        return 1;
    }
    // The text appended so far ends here; the buffer was zero-filled by the caller, but an
    // existing text is appended to all the same.
    size_t used = strnlen(text, bufferSize - 1);
    size_t total = 0;
    char line[kLineBufferSize];
    while (total < limit && fgets(line, sizeof(line), file) != nullptr) {
        // A NUL byte read from the file ends the line's text early; that is all we can keep.
        size_t length = strlen(line);
        total += length;
        size_t room = bufferSize - 1 - used;
        size_t copied = length < room ? length : room;
        memcpy(text + used, line, copied);
        used += copied;
        text[used] = '\0';
    }
    fclose(file);
    return 1;
}
