#include "tools/sample/canvas.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tools/sample/le_bytes.h"

cCanvas::cCanvas(int width, int height, uint8_t fill)
    : m_nWidth(width), m_nHeight(height), m_Pixels(static_cast<size_t>(width) * height, fill)
{
}

uint8_t cCanvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
    return m_Pixels[static_cast<size_t>(y) * m_nWidth + x];
}

void cCanvas::Set(int x, int y, uint8_t c)
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return;
    m_Pixels[static_cast<size_t>(y) * m_nWidth + x] = c;
}

void cCanvas::FillRect(int x, int y, int w, int h, uint8_t c)
{
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void cCanvas::FrameRect(int x, int y, int w, int h, uint8_t c)
{
    FillRect(x, y, w, 1, c);
    FillRect(x, y + h - 1, w, 1, c);
    FillRect(x, y, 1, h, c);
    FillRect(x + w - 1, y, 1, h, c);
}

void cCanvas::Line(int x0, int y0, int x1, int y1, uint8_t c)
{
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void cCanvas::FillEllipse(int x, int y, int w, int h, uint8_t c)
{
    // Integer test against the ellipse through the box's pixel centres:
    // (2i+1-w)^2 h^2 + (2j+1-h)^2 w^2 <= w^2 h^2.
    const long long ww = static_cast<long long>(w) * w, hh = static_cast<long long>(h) * h;
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            long long px = 2 * i + 1 - w, py = 2 * j + 1 - h;
            if (px * px * hh + py * py * ww <= ww * hh) Set(x + i, y + j, c);
        }
    }
}

void cCanvas::GradientV(int x, int y, int w, int h, uint8_t top, uint8_t bottom)
{
    const int steps = std::abs(bottom - top) + 1;
    for (int j = 0; j < h; ++j) {
        int k = h > 1 ? j * steps / h : 0;
        int c = top < bottom ? top + k : top - k;
        FillRect(x, y + j, w, 1, static_cast<uint8_t>(c));
    }
}

void cCanvas::OutlineInside(int x, int y, int w, int h, uint8_t c, uint8_t key)
{
    std::vector<uint8_t> mark(static_cast<size_t>(w) * h, 0);
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            if (Get(x + i, y + j) == key) continue;
            auto open = [&](int di, int dj) {
                int ni = i + di, nj = j + dj;
                if (ni < 0 || nj < 0 || ni >= w || nj >= h) return true;
                return Get(x + ni, y + nj) == key;
            };
            if (open(-1, 0) || open(1, 0) || open(0, -1) || open(0, 1)) mark[static_cast<size_t>(j) * w + i] = 1;
        }
    }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (mark[static_cast<size_t>(j) * w + i]) Set(x + i, y + j, c);
}

void cCanvas::Blit(int x, int y, const cCanvas& src, int sx, int sy, int w, int h, int key)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            uint8_t c = src.Get(sx + i, sy + j);
            if (key >= 0 && c == key) continue;
            Set(x + i, y + j, c);
        }
}

void cCanvas::BlitMirrored(int x, int y, const cCanvas& src, int sx, int sy, int w, int h, int key)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            uint8_t c = src.Get(sx + w - 1 - i, sy + j);
            if (key >= 0 && c == key) continue;
            Set(x + i, y + j, c);
        }
}

std::vector<uint8_t> EncodeBmp8(const cCanvas& canvas, const uint8_t (&rgb)[256][3])
{
    const int w = canvas.Width(), h = canvas.Height();
    const uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
    const uint32_t headers = 14 + 40 + 256 * 4;
    const uint32_t size = headers + stride * h;
    std::vector<uint8_t> out;
    out.reserve(size);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, size);
    PutU32(out, 0);
    PutU32(out, headers);
    PutU32(out, 40);
    PutU32(out, static_cast<uint32_t>(w));
    PutU32(out, static_cast<uint32_t>(h));   // positive: the bottom row first
    PutU16(out, 1);
    PutU16(out, 8);
    PutU32(out, 0);                          // no compression
    PutU32(out, stride * h);
    PutU32(out, 2835);                       // 72 dots an inch
    PutU32(out, 2835);
    PutU32(out, 256);
    PutU32(out, 0);
    for (const auto& c : rgb) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) out.push_back(canvas.Get(x, y));
        for (uint32_t p = w; p < stride; ++p) out.push_back(0);
    }
    return out;
}

bool WriteBmp8(const std::string& path, const cCanvas& canvas, const uint8_t (&rgb)[256][3])
{
    std::vector<uint8_t> bytes = EncodeBmp8(canvas, rgb);
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), fp) == bytes.size();
    return std::fclose(fp) == 0 && ok;
}
