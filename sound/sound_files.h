// The wave files each size plays, and where the program finds them.
#ifndef CLOCK_SOUND_SOUND_FILES_H
#define CLOCK_SOUND_SOUND_FILES_H

#include <stddef.h>

#include "imaging/clock_sizes.h"

enum { kSoundAlarm = 0, kSoundChime = 1 };

extern const wchar_t* const kSoundFiles[kSizeCount][2];

// The full path of a size's alarm or chime file, in a shared buffer that the next call
// overwrites. A size outside 0..2 counts as the small one, anything but kSoundChime as the alarm.
const wchar_t* SoundFilePath(int size, int which);

// The program's folder in a shared static buffer that the next call overwrites. Paths are wide
// text: a folder name may hold characters the system's code page lacks.
wchar_t* GetProgramDirectory();

// The directory of the program, without a trailing backslash: taken from a command line that
// starts with the program's full path in double quotes, else from the module's own file name.
// Writes at most outChars characters, terminator included.
void ProgramDirectoryFrom(const wchar_t* commandLine, const wchar_t* modulePath, wchar_t* out,
                          size_t outChars);

#endif
