#include "face_test_support.h"

#include "app/main_window.h"
#include "face/face_painter.h"

CDIB* MakeFilledImage(int width, int height, DWORD pixel) {
    CDIB* image = new CDIB;
    if (!image->Create(width, height, 32, 1)) {
        delete image;
        return nullptr;
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            PutPixel(*image, x, y, pixel);
    return image;
}

void PutPixel(CDIB& image, int x, int y, DWORD pixel) {
    reinterpret_cast<DWORD*>(image.GetRow(static_cast<UINT>(y)))[x] = pixel;
}

COLORREF PixelToColorref(DWORD pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

DWORD ColorrefToPixel(COLORREF color) {
    return (static_cast<DWORD>(GetRValue(color)) << 16) |
           (static_cast<DWORD>(GetGValue(color)) << 8) | GetBValue(color);
}

static LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT)
        PaintClock(window);
    else if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND UseTestMainWindow() {
    static HWND window = nullptr;
    if (window == nullptr) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FaceTestWindow";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "face test", WS_POPUP, 10, 10, 50, 50,
                                 nullptr, nullptr, wc.hInstance, nullptr);
    }
    g_hMainWnd = window;
    return window;
}

int GdiObjectCount() {
    const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return count == 0 ? -1 : static_cast<int>(count);
}
