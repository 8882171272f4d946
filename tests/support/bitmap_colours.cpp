#include "tests/support/bitmap_colours.h"

#include <vector>

std::set<COLORREF> BitmapColours(const std::string& path, const RECT* cell)
{
    std::set<COLORREF> colours;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return colours;
    BITMAP shape{};
    GetObjectA(bitmap, sizeof shape, &shape);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shape.bmWidth;
    info.bmiHeader.biHeight = -shape.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
    HDC screen = GetDC(nullptr);
    if (!pixels.empty() &&
        GetDIBits(screen, bitmap, 0, shape.bmHeight, pixels.data(), &info, DIB_RGB_COLORS) == shape.bmHeight)
        for (int y = 0; y < shape.bmHeight; ++y)
            for (int x = 0; x < shape.bmWidth; ++x)
                if (!cell || (x >= cell->left && x < cell->right && y >= cell->top && y < cell->bottom))
                    colours.insert(pixels[static_cast<size_t>(y) * shape.bmWidth + x] & 0xFFFFFF);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return colours;
}
