#include "face/face_set.h"

#include <new>

#include "app/main_window.h"
#include "app/window_utils.h"
#include "face/window_region.h"
#include "imaging/dib.h"
#include "resources/resource.h"

CDIB* g_pCanvas = nullptr;
CDIB* g_pFace = nullptr;
CDIB* g_pDecorA = nullptr;
CDIB* g_pDecorB = nullptr;
CDIB* g_pDecorC = nullptr;
HRGN g_hWindowRegion = nullptr;
int g_bFaceReady = 0;
HandGeometry g_HandGeometry = {0, 0, 0, 0, 0, 0, 0, 0};

// The slots in the order they are freed and made.
static CDIB** const kSlots[] = {&g_pCanvas, &g_pFace, &g_pDecorA, &g_pDecorB, &g_pDecorC};

void SetHandGeometry(HandGeometry& geometry, int size) {
    if (size >= 0 && size < kSizeCount)
        geometry = kHandGeometryTable[size];
}

void FreeFaceSet() {
    for (CDIB** slot : kSlots) {
        if (*slot != nullptr) {
            delete *slot;
            *slot = nullptr;
        }
    }
}

static void LoadPicture(CDIB* image, int id) {
    // An image that could not be allocated stays away; the painter skips empty slots.
    if (image != nullptr)
        image->LoadConverted(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 32);
}

void FaceShapeSize(int size, int* width, int* height) {
    const int faceWidth = g_pFace != nullptr ? g_pFace->GetWidth() : 0;
    const int faceHeight = g_pFace != nullptr ? g_pFace->GetHeight() : 0;
    // The large size's frames share one outline: the window takes the first one's.
    *width =
        size == kSizeLarge ? static_cast<int>(static_cast<unsigned>(faceWidth) / 5) : faceWidth;
    *height = faceHeight;
}

void BuildFaceSet(int size) {
    size = ValidSizeIndex(size);
    ShowWindow(g_hMainWnd, SW_HIDE);
    g_bFaceReady = 0;
    FreeFaceSet();
    for (CDIB** slot : kSlots)
        *slot = new (std::nothrow) CDIB;

    switch (size) {
    case kSizeSmall:
        LoadPicture(g_pFace, IDB_SMALL_DIAL);
        LoadPicture(g_pDecorA, IDB_SMALL_OVERLAY);
        break;
    case kSizeMedium:
        LoadPicture(g_pFace, IDB_MEDIUM_DIAL);
        LoadPicture(g_pDecorA, IDB_MEDIUM_HOUR_TIP);
        LoadPicture(g_pDecorB, IDB_MEDIUM_MINUTE_TIP);
        LoadPicture(g_pDecorC, IDB_MEDIUM_CENTRE_CAP);
        break;
    case kSizeLarge:
        LoadPicture(g_pFace, IDB_LARGE_STRIP);
        break;
    }

    int width, height;
    FaceShapeSize(size, &width, &height);
    if (g_pFace != nullptr) {
        const DWORD key = g_pFace->GetPixel(0, 0);
        g_hWindowRegion = CreateRegionFromBitmap(*g_pFace, 0, 0, width, height, key);
    } else {
        g_hWindowRegion = CreateRectRgn(0, 0, 0, 0);
    }
    if (g_pCanvas != nullptr)
        g_pCanvas->Create(width, height, 32, 1);
    SetClientSize(g_hMainWnd, width, height);
    g_WindowSettings.SIZE = size;

    // From here the window owns the region and frees the one it had.
    SetWindowRgn(g_hMainWnd, g_hWindowRegion, TRUE);
    g_bFaceReady = 1;
    ShowWindow(g_hMainWnd, SW_SHOW);
}
