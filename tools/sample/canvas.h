#pragma once
// An 8-bit picture being drawn: one palette index per pixel, row 0 at the
// top. Everything the sample game shows is drawn into these by code; nothing
// is read from outside.
#include <cstdint>
#include <string>
#include <vector>

class cCanvas {
public:
    cCanvas(int width, int height, uint8_t fill = 0);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    const std::vector<uint8_t>& Pixels() const { return m_Pixels; }

    // Pixels outside the picture read as 0 and are not written.
    uint8_t Get(int x, int y) const;
    void Set(int x, int y, uint8_t c);

    void FillRect(int x, int y, int w, int h, uint8_t c);
    void FrameRect(int x, int y, int w, int h, uint8_t c);
    void Line(int x0, int y0, int x1, int y1, uint8_t c);
    // A filled ellipse inside the box (x, y, w, h).
    void FillEllipse(int x, int y, int w, int h, uint8_t c);
    // A vertical ramp from colour top to colour bottom over the box, stepping
    // through the palette indices between them.
    void GradientV(int x, int y, int w, int h, uint8_t top, uint8_t bottom);

    // Every pixel of the box that is not `key` and touches a `key` pixel (or
    // the box's edge) becomes c: an outline drawn on the inside of a sprite.
    void OutlineInside(int x, int y, int w, int h, uint8_t c, uint8_t key = 0);
    // Copies the box of src to (x, y), leaving out src's pixels of colour key.
    void Blit(int x, int y, const cCanvas& src, int sx, int sy, int w, int h, int key = -1);
    // The same, mirrored left to right.
    void BlitMirrored(int x, int y, const cCanvas& src, int sx, int sy, int w, int h, int key = -1);

private:
    int m_nWidth;
    int m_nHeight;
    std::vector<uint8_t> m_Pixels;
};

// Writes the picture as an uncompressed 8-bit BMP with the given 256 colours
// (red, green, blue each). false when the file cannot be written.
bool WriteBmp8(const std::string& path, const cCanvas& canvas, const uint8_t (&rgb)[256][3]);
// The bytes of that file.
std::vector<uint8_t> EncodeBmp8(const cCanvas& canvas, const uint8_t (&rgb)[256][3]);
