// The face set of the current size: its images, the window's shape and the hand geometry.
#ifndef CLOCK_FACE_FACE_SET_H
#define CLOCK_FACE_FACE_SET_H

#include <windows.h>

#include "face/face_tables.h"

class CDIB;

extern CDIB* g_pCanvas;
extern CDIB* g_pFace;
extern CDIB* g_pDecorA;
extern CDIB* g_pDecorB;
extern CDIB* g_pDecorC;
extern HRGN g_hWindowRegion;
extern int g_bFaceReady;
extern HandGeometry g_HandGeometry;

void BuildFaceSet(int size);
void SetHandGeometry(HandGeometry& geometry, int size);
// Destroys the five images, canvas first, and empties their slots.
void FreeFaceSet();

#endif
