// The program's version, written here and nowhere else: the version resource, the about box,
// the readme and the release archive's name all take it from these two numbers.
#ifndef CLOCK_VERSION_H
#define CLOCK_VERSION_H

#define CLOCK_VERSION_MAJOR 1
#define CLOCK_VERSION_MINOR 0

#define CLOCK_VERSION_STR2(x) #x
#define CLOCK_VERSION_STR(x) CLOCK_VERSION_STR2(x)
// "1.0"
#define CLOCK_VERSION_TEXT CLOCK_VERSION_STR(CLOCK_VERSION_MAJOR) "." CLOCK_VERSION_STR(CLOCK_VERSION_MINOR)

// Shared by the about box and the version resource, so the two always agree.
#define CLOCK_DESCRIPTION_TEXT "デスクトップの時計"
#define CLOCK_COPYRIGHT_TEXT "(C) 2026 quillory / Vorimo"

#endif
