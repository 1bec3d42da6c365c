#include "sound/sound_files.h"

#include <windows.h>
#include <cwchar>

namespace {
const size_t kDirChars = MAX_PATH;
wchar_t s_szProgramDirectory[kDirChars];
wchar_t s_szSoundPath[kDirChars + 16];

// Copies src into out (outSize > 0), cutting it short when it does not fit.
void CopyBounded(wchar_t* out, size_t outSize, const wchar_t* src, size_t len) {
    if (len >= outSize)
        len = outSize - 1;
    wmemcpy(out, src, len);
    out[len] = L'\0';
}
} // namespace

const wchar_t* const kSoundFiles[kSizeCount][2] = {
    {L"w01.wav", L"w02.wav"},
    {L"w03.wav", L"w04.wav"},
    {L"w05.wav", L"w06.wav"},
};

const wchar_t* SoundFilePath(int size, int which) {
    wsprintfW(s_szSoundPath, L"%s\\wave\\%s", GetProgramDirectory(),
              kSoundFiles[ValidSizeIndex(size)][which == kSoundChime]);
    return s_szSoundPath;
}

void ProgramDirectoryFrom(const wchar_t* commandLine, const wchar_t* modulePath, wchar_t* out,
                          size_t outSize) {
    if (out == nullptr || outSize == 0)
        return;
    out[0] = L'\0';
    // A quoted full path: the directory is everything before the last backslash ahead of the
    // closing quote ("C:" for a drive's root).
    if (commandLine != nullptr && commandLine[0] == '"') {
        const wchar_t* start = commandLine + 1;
        const wchar_t* quote = wcschr(start, L'"');
        if (quote != nullptr) {
            const wchar_t* p = quote;
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
    const wchar_t* slash = wcsrchr(modulePath, L'\\');
    if (slash == nullptr) {
        const wchar_t* colon = wcschr(modulePath, L':');
        if (colon != nullptr)
            CopyBounded(out, outSize, modulePath, static_cast<size_t>(colon + 1 - modulePath));
        return;
    }
    size_t len = static_cast<size_t>(slash - modulePath);
    // A root directory keeps its drive letter and colon only.
    CopyBounded(out, outSize, modulePath, len);
}

wchar_t* GetProgramDirectory() {
    wchar_t module[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, module, MAX_PATH * 2);
    if (n == 0 || n >= MAX_PATH * 2)
        module[0] = L'\0';
    ProgramDirectoryFrom(GetCommandLineW(), module, s_szProgramDirectory, kDirChars);
    return s_szProgramDirectory;
}
