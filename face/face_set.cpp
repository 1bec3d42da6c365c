#include "face/face_set.h"

#include "app/main_window.h"
#include "app/window_utils.h"

CDIB* g_pCanvas = nullptr;
CDIB* g_pFace = nullptr;
CDIB* g_pDecorA = nullptr;
CDIB* g_pDecorB = nullptr;
CDIB* g_pDecorC = nullptr;
HRGN g_hWindowRegion = nullptr;
int g_bFaceReady = 0;
HandGeometry g_HandGeometry = {0, 0, 0, 0, 0, 0, 0, 0};

void SetHandGeometry(HandGeometry& geometry, int size) {
    if (size >= 0 && size < kSizeCount)
        geometry = kHandGeometryTable[size];
}

void FreeFaceSet() {}

// Until the pictures arrive the window is a plain round placeholder of the dial's size.
void BuildFaceSet(int size) {
    static const int kSizes[kSizeCount][2] = {{101, 128}, {172, 172}, {172, 256}};
    size = ValidSizeIndex(size);
    ShowWindow(g_hMainWnd, SW_HIDE);
    g_bFaceReady = 0;
    int w = kSizes[size][0], h = kSizes[size][1];
    g_hWindowRegion = CreateEllipticRgn(0, 0, w, h);
    SetClientSize(g_hMainWnd, w, h);
    g_WindowSettings.SIZE = size;
    SetWindowRgn(g_hMainWnd, g_hWindowRegion, TRUE);
    g_bFaceReady = 1;
    ShowWindow(g_hMainWnd, SW_SHOW);
}
