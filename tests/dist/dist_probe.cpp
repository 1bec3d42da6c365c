// From inside Wine: "version FILE" prints what FILE's version resource says (Shift-JIS),
// "manifest FILE" prints the manifest FILE carries for its process, "icons FILE ID" SIDE:BITS of
// each picture of icon group ID, "load FILE" loads a DLL; the exit code is 0 on success.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

static void* Query(std::vector<char>& data, const char* path) {
    void* value = nullptr;
    UINT length = 0;
    return VerQueryValueA(data.data(), path, &value, &length) && length > 0 ? value : nullptr;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "load") == 0)
        return LoadLibraryA(argv[2]) != nullptr ? 0 : 1;
    if (argc == 3 && strcmp(argv[1], "manifest") == 0) {
        HMODULE file = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = file ? FindResourceA(file, MAKEINTRESOURCEA(1), RT_MANIFEST) : nullptr;
        HGLOBAL text = found ? LoadResource(file, found) : nullptr;
        return text ? fwrite(LockResource(text), SizeofResource(file, found), 1, stdout) != 1 : 1;
    }
    if (argc == 4 && strcmp(argv[1], "icons") == 0) {
        HMODULE file = LoadLibraryExA(argv[2], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found =
            file ? FindResourceA(file, MAKEINTRESOURCEA(atoi(argv[3])), RT_GROUP_ICON) : nullptr;
        HGLOBAL group = found ? LoadResource(file, found) : nullptr;
        // GRPICONDIR: 6 bytes, then 14-byte entries (width, height, colours, 0, planes, bits...).
        const BYTE* dir = group ? static_cast<const BYTE*>(LockResource(group)) : nullptr;
        for (int i = 0; dir && SizeofResource(file, found) >= 6u + 14 * (i + 1) && i < dir[4]; ++i)
            printf("%d:%d ", dir[6 + 14 * i] ? dir[6 + 14 * i] : 256, dir[12 + 14 * i]);
        return dir ? 0 : 1;
    }
    std::vector<char> data(argc == 3 ? GetFileVersionInfoSizeA(argv[2], nullptr) : 0);
    if (data.empty() || !GetFileVersionInfoA(argv[2], 0, data.size(), data.data()))
        return 1;
    auto* fixed = static_cast<VS_FIXEDFILEINFO*>(Query(data, "\\"));
    auto* language = static_cast<WORD*>(Query(data, "\\VarFileInfo\\Translation"));
    if (fixed == nullptr || language == nullptr)
        return 1;
    printf("Fixed %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    printf("Translation %04x %u\n", language[0], language[1]);
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "LegalCopyright"}) {
        char path[80];
        snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1],
                 name);
        const char* value = static_cast<const char*>(Query(data, path));
        printf("%s %s\n", name, value != nullptr ? value : "(none)");
    }
    return 0;
}
