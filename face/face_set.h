// The face set of the current size: its images, the window's shape and the hand geometry.
#ifndef CLOCK_FACE_FACE_SET_H
#define CLOCK_FACE_FACE_SET_H

#include <windows.h>

#include "face/face_tables.h"

class CDIB;

// Off-screen composition image, exactly the window's size.
extern CDIB* g_pCanvas;
// The dial, or the large size's strip of frames.
extern CDIB* g_pFace;
// Small: foreground overlay; medium: hour-tip ornament.
extern CDIB* g_pDecorA;
// Medium: minute-tip ornament.
extern CDIB* g_pDecorB;
// Medium: centre cap.
extern CDIB* g_pDecorC;
// The large size's pendulum: the part of the window that changes between two frames of the
// swing. Empty in the other sizes.
extern RECT g_rcSwing;
// Memory contexts kept for the life of the face set, holding the canvas's and the face's
// bitmaps all that time, so that a paint neither makes a context nor selects a bitmap (under
// Wine, a bitmap selected into a context made for the screen selects the context's font anew,
// which reads the X resource files from disk). Null when they could not be made: each paint
// then makes its own.
extern HDC g_hCanvasDC;
extern HDC g_hFaceDC;
// 0 while the face set is incomplete: nothing is painted then.
extern int g_bFaceReady;
// How many face sets have been built: a canvas composed under another count is not this one.
extern int g_nFaceBuilds;
// The hands and the other measures of the size and scale built last; BuildFaceSet alone writes
// them.
extern FaceMeasures g_FaceMeasures;

// Makes the face set of size current in window, drawn for dpi dots per inch: images, window
// outline, canvas and window size. A size outside 0..2 builds the small one. The pictures are
// the generators' own at a carried scale, and at any other the next larger carried one reduced
// by averaging areas (FaceDpi: beyond the largest, that one); every measure is its 100 % value
// through ScaleToDpi (ScaledFaceMeasures).
void BuildFaceSet(HWND window, int size, int dpi);
// Destroys the five images, canvas first, and empties their slots.
void FreeFaceSet();

// The outline, canvas and window size of a face picture: the whole dial, or the first frame of
// the large size's strip (a missing picture: 0 by 0).
void FaceShapeSize(const CDIB* face, int size, int* width, int* height);

// The bounding box, in frame coordinates, of every pixel that differs between two successive
// frames of sequence (count frames, taken round) in strip, a row of 32-bit frames frameWidth
// wide. Empty when nothing changes or a frame lies outside the strip.
RECT SwingBounds(const CDIB& strip, int frameWidth, const unsigned char* sequence, int count);

#endif
