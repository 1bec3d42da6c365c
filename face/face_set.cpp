#include "face/face_set.h"

#include <new>

#include "face/window_region.h"
#include "imaging/area_reduce.h"
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
FaceMeasures g_FaceMeasures = {{0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 0, 0, 0};

// The slots in the order they are freed and made.
static CDIB** const kSlots[] = {&g_pCanvas, &g_pFace, &g_pDecorA, &g_pDecorB, &g_pDecorC};

// The pictures of each carried scale and size, in the order face, decorations A, B and C
// (0: none).
static const int kFacePictures[kArtScaleCount][kSizeCount][4] = {
    {{IDB_SMALL_DIAL, IDB_SMALL_OVERLAY, 0, 0},
     {IDB_MEDIUM_DIAL, IDB_MEDIUM_HOUR_TIP, IDB_MEDIUM_MINUTE_TIP, IDB_MEDIUM_CENTER_CAP},
     {IDB_LARGE_STRIP, 0, 0, 0}},
    {{IDB_SMALL_DIAL_150, IDB_SMALL_OVERLAY_150, 0, 0},
     {IDB_MEDIUM_DIAL_150, IDB_MEDIUM_HOUR_TIP_150, IDB_MEDIUM_MINUTE_TIP_150,
      IDB_MEDIUM_CENTER_CAP_150},
     {IDB_LARGE_STRIP_150, 0, 0, 0}},
    {{IDB_SMALL_DIAL_200, IDB_SMALL_OVERLAY_200, 0, 0},
     {IDB_MEDIUM_DIAL_200, IDB_MEDIUM_HOUR_TIP_200, IDB_MEDIUM_MINUTE_TIP_200,
      IDB_MEDIUM_CENTER_CAP_200},
     {IDB_LARGE_STRIP_200, 0, 0, 0}},
    {{IDB_SMALL_DIAL_300, IDB_SMALL_OVERLAY_300, 0, 0},
     {IDB_MEDIUM_DIAL_300, IDB_MEDIUM_HOUR_TIP_300, IDB_MEDIUM_MINUTE_TIP_300,
      IDB_MEDIUM_CENTER_CAP_300},
     {IDB_LARGE_STRIP_300, 0, 0, 0}}};

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

// The width and height of the bitmap resource id, read from its header (0 by 0 without one).
static SIZE PictureSize(int id) {
    SIZE size = {0, 0};
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_BITMAP);
    const void* data = found != nullptr ? LockResource(LoadResource(module, found)) : nullptr;
    if (data != nullptr && SizeofResource(module, found) >= sizeof(BITMAPINFOHEADER)) {
        const BITMAPINFOHEADER* header = static_cast<const BITMAPINFOHEADER*>(data);
        size.cx = header->biWidth;
        size.cy = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    }
    return size;
}

// Bytes from one row of image to the next, down the picture.
static ptrdiff_t RowStep(const CDIB& image) {
    return image.GetHeight() > 1 ? image.GetRow(1) - image.GetRow(0) : 0;
}

// Fills *slot with picture id of the scale with index art, a row of frames pictures, reduced to
// dpi when the scale is larger: the 100 % picture's size through ScaleToDpi, frame by frame. A
// picture that could not be made stays empty; the painter skips empty slots.
static void LoadPicture(CDIB** slot, int art, int size, int which, int dpi, int frames) {
    const int id = kFacePictures[art][size][which];
    if (*slot == nullptr || id == 0 ||
        !(*slot)->LoadConverted(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), 32) ||
        dpi == kArtDpis[art])
        return;
    const SIZE base = PictureSize(kFacePictures[0][size][which]);
    const int frameWidth = ScaleToDpi(static_cast<int>(base.cx) / frames, dpi);
    const int from = (*slot)->GetWidth() / frames;
    CDIB* reduced = new (std::nothrow) CDIB;
    int made =
        reduced != nullptr &&
        reduced->Create(frameWidth * frames, ScaleToDpi(static_cast<int>(base.cy), dpi), 32, 1);
    const CDIB& drawn = **slot;
    for (int f = 0; made && f < frames; ++f)
        made = ReduceArea(drawn.GetRow(0) + 4 * f * from, RowStep(drawn), from, drawn.GetHeight(),
                          reduced->GetRow(0) + 4 * f * frameWidth, RowStep(*reduced), frameWidth,
                          reduced->GetHeight(), drawn.GetPixel(0, 0));
    delete *slot;
    *slot = reduced;
    if (!made && reduced != nullptr)
        reduced->Free();
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

void BuildFaceSet(HWND window, int size, int dpi) {
    size = ValidSizeIndex(size);
    dpi = FaceDpi(dpi);
    ShowWindow(window, SW_HIDE);
    // The hands' measures belong to the face set: they change with it, and only here.
    g_FaceMeasures = ScaledFaceMeasures(size, dpi);
    g_bFaceReady = 0;
    ++g_nFaceBuilds;
    FreeFaceSet();
    for (CDIB** slot : kSlots)
        *slot = new (std::nothrow) CDIB;

    // The smallest carried scale at or above dpi: its own drawing, or the one reduced from.
    int art = 0;
    while (kArtDpis[art] < dpi)
        ++art;
    CDIB** const pictures[] = {&g_pFace, &g_pDecorA, &g_pDecorB, &g_pDecorC};
    for (int which = 0; which < 4; ++which)
        LoadPicture(pictures[which], art, size, which, dpi,
                    which == 0 && size == kSizeLarge ? 5 : 1);

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
        g_rcSwing = SwingBounds(*g_pFace, g_FaceMeasures.frameWidth, kAnimationSequence, 8);
    SetClientSize(window, width, height);

    // From here the window owns the region and frees the one it had.
    SetWindowRgn(window, region, TRUE);
    g_bFaceReady = 1;
    ShowWindow(window, SW_SHOW);
}
