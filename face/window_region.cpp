#include "face/window_region.h"

#include <stdlib.h>
#include <string.h>

#include "imaging/dib.h"

int CollectRegionRects(PixelSource source, const void* context, int x0, int y0, int width,
                       int height, DWORD key, RECT* rects) {
    int count = 0;
    for (int y = y0; y < y0 + height; ++y) {
        int open = 0;
        int start = 0;
        const int last = x0 + width - 1;
        for (int x = x0; x <= last; ++x) {
            const DWORD v = source(context, x, y);
            if (v != key && !open) {
                open = 1;
                start = x;
            }
            // A run closes at a key pixel or, inclusive, at the row's last column.
            int end = -1;
            if (v == key && open)
                end = x;
            else if (x == last && open)
                end = x0 + width;
            if (end < 0)
                continue;
            open = 0;
            // Once the list is full the outline keeps what it has.
            if (count >= kMaxRegionRects)
                return count;
            RECT& r = rects[count++];
            r.left = start;
            r.top = y;
            r.right = end;
            r.bottom = y + 1;
        }
    }
    return count;
}

HRGN CreateRegionFromRects(const RECT* rects, int count) {
    if (count < 0)
        count = 0;
    const DWORD listSize = static_cast<DWORD>(count) * sizeof(RECT);
    const DWORD total = sizeof(RGNDATAHEADER) + listSize;
    RGNDATA* data = static_cast<RGNDATA*>(malloc(total));
    if (data == nullptr)
        return nullptr;
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(count);
    data->rdh.nRgnSize = listSize;
    SetRectEmpty(&data->rdh.rcBound);
    for (int i = 0; i < count; ++i)
        UnionRect(&data->rdh.rcBound, &data->rdh.rcBound, &rects[i]);
    if (count > 0)
        memcpy(data->Buffer, rects, listSize);
    HRGN region = ExtCreateRegion(nullptr, total, data);
    free(data);
    return region;
}

static DWORD PictureSource(const void* context, int x, int y) {
    return static_cast<const CDIB*>(context)->GetPixel(static_cast<UINT>(x), static_cast<UINT>(y));
}

HRGN CreateRegionFromBitmap(const CDIB& picture, int x0, int y0, int width, int height, DWORD key) {
    // Gathered on the stack, so scanning allocates nothing.
    RECT rects[kMaxRegionRects];
    const int count =
        CollectRegionRects(PictureSource, &picture, x0, y0, width, height, key, rects);
    return CreateRegionFromRects(rects, count);
}
