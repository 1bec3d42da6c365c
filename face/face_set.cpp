#include "face/face_set.h"

#include <new>

#include "face/window_region.h"
#include "imaging/dib.h"
#include "resources/resource.h"

CDIB* g_pCanvas = nullptr;
CDIB* g_pFace = nullptr;
CDIB* g_pDecorA = nullptr;
CDIB* g_pDecorB = nullptr;
CDIB* g_pDecorC = nullptr;
RECT g_rcSwing = {0, 0, 0, 0};
HDC g_hCanvasDC = nullptr;
HDC g_hFaceDC = nullptr;
int g_bFaceReady = 0;
int g_nFaceBuilds = 0;
HandGeometry g_HandGeometry = {0, 0, 0, 0, 0, 0, 0, 0};

// The slots in the order they are freed and made.
static CDIB** const kSlots[] = {&g_pCanvas, &g_pFace, &g_pDecorA, &g_pDecorB, &g_pDecorC};

// Writes all eight fields from the table for size; any other size changes nothing.
static void SetHandGeometry(HandGeometry& geometry, int size) {
    if (size >= 0 && size < kSizeCount)
        geometry = kHandGeometryTable[size];
}

void FreeFaceSet() {
    HDC* const contexts[] = {&g_hCanvasDC, &g_hFaceDC};
    for (HDC* dc : contexts) {
        if (*dc != nullptr)
            DeleteDC(*dc);
        *dc = nullptr;
    }
    for (CDIB** slot : kSlots) {
        if (*slot != nullptr) {
            delete *slot;
            *slot = nullptr;
        }
    }
}

static void SetClientSize(HWND window, int width, int height) {
    RECT r = {0, 0, width, height};
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    AdjustWindowRectEx(&r, style, GetMenu(window) != nullptr, exStyle);
    SetWindowPos(window, HWND_TOP, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE);
}

static void LoadPicture(CDIB* image, int id) {
    // An image that could not be allocated stays away; the painter skips empty slots.
    if (image != nullptr)
        image->LoadConverted(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 32);
}

void FaceShapeSize(const CDIB* face, int size, int* width, int* height) {
    const int faceWidth = face != nullptr ? face->GetWidth() : 0;
    const int faceHeight = face != nullptr ? face->GetHeight() : 0;
    // The large size's frames share one outline: the window takes the first one's.
    *width =
        size == kSizeLarge ? static_cast<int>(static_cast<unsigned>(faceWidth) / 5) : faceWidth;
    *height = faceHeight;
}

// Widens bounds to take in every pixel where frames a and b of the strip differ.
static void AddFrameDifference(const CDIB& strip, int frameWidth, int a, int b, RECT* bounds) {
    const int height = strip.GetHeight();
    for (int y = 0; y < height; ++y) {
        const DWORD* row = reinterpret_cast<const DWORD*>(strip.GetRow(static_cast<UINT>(y)));
        for (int x = 0; x < frameWidth; ++x) {
            if (row[a * frameWidth + x] == row[b * frameWidth + x])
                continue;
            if (bounds->left >= bounds->right) {
                *bounds = RECT{x, y, x + 1, y + 1};
                continue;
            }
            bounds->left = x < bounds->left ? x : bounds->left;
            bounds->right = x >= bounds->right ? x + 1 : bounds->right;
            bounds->top = y < bounds->top ? y : bounds->top;
            bounds->bottom = y >= bounds->bottom ? y + 1 : bounds->bottom;
        }
    }
}

RECT SwingBounds(const CDIB& strip, int frameWidth, const unsigned char* sequence, int count) {
    RECT bounds = {0, 0, 0, 0};
    if (strip.IsEmpty() || strip.GetBitCount() != 32 || frameWidth <= 0 || count <= 0)
        return bounds;
    for (int i = 0; i < count; ++i) {
        if ((sequence[i] + 1) * frameWidth > strip.GetWidth())
            return bounds;
    }
    for (int i = 0; i < count; ++i)
        AddFrameDifference(strip, frameWidth, sequence[i], sequence[(i + 1) % count], &bounds);
    return bounds;
}

void BuildFaceSet(HWND window, int size, int /*dpi*/) {
    size = ValidSizeIndex(size);
    ShowWindow(window, SW_HIDE);
    // The hands' measures belong to the face set: they change with it, and only here.
    SetHandGeometry(g_HandGeometry, size);
    g_bFaceReady = 0;
    ++g_nFaceBuilds;
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
        LoadPicture(g_pDecorC, IDB_MEDIUM_CENTER_CAP);
        break;
    case kSizeLarge:
        LoadPicture(g_pFace, IDB_LARGE_STRIP);
        break;
    }

    int width, height;
    FaceShapeSize(g_pFace, size, &width, &height);
    HRGN region = g_pFace != nullptr ? CreateRegionFromBitmap(*g_pFace, 0, 0, width, height,
                                                              g_pFace->GetPixel(0, 0))
                                     : CreateRectRgn(0, 0, 0, 0);
    if (g_pCanvas != nullptr)
        g_pCanvas->Create(width, height, 32, 1);
    // The two contexts every paint borrows (CMemoryDC's kept form) live, with their bitmaps,
    // until FreeFaceSet, the only other place that touches them.
    g_hCanvasDC = CreateCompatibleDC(nullptr);
    g_hFaceDC = CreateCompatibleDC(nullptr);
    if (g_hCanvasDC != nullptr && g_pCanvas != nullptr)
        SelectObject(g_hCanvasDC, g_pCanvas->GetBitmap());
    if (g_hFaceDC != nullptr && g_pFace != nullptr)
        SelectObject(g_hFaceDC, g_pFace->GetBitmap());
    // Worked out once here, so the eighth-second ticks send only the pendulum to the screen.
    g_rcSwing = RECT{0, 0, 0, 0};
    if (size == kSizeLarge && g_pFace != nullptr)
        g_rcSwing = SwingBounds(*g_pFace, kFrameWidth, kAnimationSequence, 8);
    SetClientSize(window, width, height);

    // From here the window owns the region and frees the one it had.
    SetWindowRgn(window, region, TRUE);
    g_bFaceReady = 1;
    ShowWindow(window, SW_SHOW);
}
