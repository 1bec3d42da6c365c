// The wave files each size plays, and where the program finds them.
#ifndef CLOCK_SOUND_SOUND_FILES_H
#define CLOCK_SOUND_SOUND_FILES_H

#include <stddef.h>

#include "imaging/clock_sizes.h"

enum { kSoundAlarm = 0, kSoundChime = 1 };

extern const char kSoundFiles[kSizeCount][2][260];

// The full path of a size's alarm or chime file, in the shared buffer of FormatString. A size
// outside 0..2 counts as the small one, anything but kSoundChime as the alarm.
const char* SoundFilePath(int size, int which);

// Both return a shared static buffer that the next call overwrites.
char* GetProgramDirectory();
char* FormatString(const char* format, ...);

// The directory of the program, without a trailing backslash: taken from a command line that
// starts with the program's full path in double quotes, else from the module's own file name.
// Writes at most outSize bytes, terminator included.
void ProgramDirectoryFrom(const char* commandLine, const char* modulePath, char* out,
                          size_t outSize);

#endif
