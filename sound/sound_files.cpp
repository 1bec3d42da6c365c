#include "sound/sound_files.h"

#include <windows.h>
#include <cstdarg>
#include <cstring>

namespace {
const size_t kDirChars = 260;
char s_szProgramDirectory[kDirChars];
char s_szFormatBuffer[1024];

// Copies src into out (outSize > 0), cutting it short when it does not fit.
void CopyBounded(char* out, size_t outSize, const char* src, size_t len) {
    if (len >= outSize)
        len = outSize - 1;
    memcpy(out, src, len);
    out[len] = '\0';
}
} // namespace

const char kSoundFiles[kSizeCount][2][260] = {
    {"w01.wav", "w02.wav"},
    {"w03.wav", "w04.wav"},
    {"w05.wav", "w06.wav"},
};

const char* SoundFilePath(int size, int which) {
    return FormatString("%s\\wave\\%s", GetProgramDirectory(),
                        kSoundFiles[ValidSizeIndex(size)][which == kSoundChime]);
}

void ProgramDirectoryFrom(const char* commandLine, const char* modulePath, char* out,
                          size_t outSize) {
    if (out == nullptr || outSize == 0)
        return;
    out[0] = '\0';
    // A quoted full path: the directory is everything before the last backslash ahead of the
    // closing quote ("C:" for a drive's root).
    if (commandLine != nullptr && commandLine[0] == '"') {
        const char* start = commandLine + 1;
        const char* quote = strchr(start, '"');
        if (quote != nullptr) {
            const char* p = quote;
            while (p > start && *p != '\\' && *p != ':')
                --p;
            size_t len = static_cast<size_t>(p - start);
            if (*p == '\\' && len > 0 && len < outSize) {
                CopyBounded(out, outSize, start, len);
                return;
            }
        }
    }
    // Any other command line: the module's own file name tells where we live.
    if (modulePath == nullptr)
        return;
    const char* slash = strrchr(modulePath, '\\');
    if (slash == nullptr) {
        const char* colon = strchr(modulePath, ':');
        if (colon != nullptr)
            CopyBounded(out, outSize, modulePath, static_cast<size_t>(colon + 1 - modulePath));
        return;
    }
    size_t len = static_cast<size_t>(slash - modulePath);
    // A root directory keeps its drive letter and colon only.
    CopyBounded(out, outSize, modulePath, len);
}

char* GetProgramDirectory() {
    char module[MAX_PATH * 2];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof(module));
    if (n == 0 || n >= sizeof(module))
        module[0] = '\0';
    ProgramDirectoryFrom(GetCommandLineA(), module, s_szProgramDirectory,
                         sizeof(s_szProgramDirectory));
    return s_szProgramDirectory;
}

char* FormatString(const char* format, ...) {
    va_list args;
    va_start(args, format);
    wvsprintfA(s_szFormatBuffer, format, args);
    va_end(args);
    return s_szFormatBuffer;
}
