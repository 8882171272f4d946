#include "gfx/bmp_header.h"

namespace {

constexpr size_t FILE_HEADER = 14;
constexpr size_t CORE_HEADER = 12;    // the OS/2 header: 16-bit sizes, 3-byte colours
constexpr size_t INFO_HEADER = 40;
constexpr int64_t MAX_SIDE = 32767;

enum { BI_RGB_ = 0, BI_RLE8_ = 1, BI_RLE4_ = 2, BI_BITFIELDS_ = 3 };

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool KnownHeaderSize(uint32_t size)
{
    switch (size) {
    case CORE_HEADER: case INFO_HEADER: case 52: case 56: case 64: case 108: case 124:
        return true;
    default:
        return false;
    }
}

} // namespace

const char* CheckBmpImage(const uint8_t* image, size_t size)
{
    if (size < FILE_HEADER + 4 || image[0] != 'B' || image[1] != 'M') return "not a BMP file";
    const uint32_t offBits = U32(image + 10);
    const uint32_t headerSize = U32(image + FILE_HEADER);
    if (!KnownHeaderSize(headerSize)) return "unknown header";
    if (FILE_HEADER + headerSize > size) return "the header is cut short";
    const uint8_t* h = image + FILE_HEADER;
    const bool core = headerSize == CORE_HEADER;
    int64_t width, height;
    uint16_t planes, bits;
    uint32_t compression = BI_RGB_, sizeImage = 0, colours = 0;
    if (core) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        bits = U16(h + 10);
    } else {
        width = static_cast<int32_t>(U32(h + 4));
        height = static_cast<int32_t>(U32(h + 8));
        planes = U16(h + 12);
        bits = U16(h + 14);
        compression = U32(h + 16);
        sizeImage = U32(h + 20);
        colours = U32(h + 32);
    }
    if (height < 0) height = -height;
    if (width < 1 || height < 1 || width > MAX_SIDE || height > MAX_SIDE) return "impossible size";
    if (planes != 1) return "not one plane";
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "impossible bits a pixel";
    const bool rle = compression == BI_RLE8_ || compression == BI_RLE4_;
    if (!(compression == BI_RGB_ || (compression == BI_RLE8_ && bits == 8) ||
          (compression == BI_RLE4_ && bits == 4) ||
          (compression == BI_BITFIELDS_ && (bits == 16 || bits == 32))))
        return "unknown compression";
    if (rle && static_cast<int32_t>(U32(h + 8)) < 0) return "a top-down run-length picture";

    // The colour table: as many entries as the header names, at most what
    // the depth can index; masks after a plain info header.
    const uint64_t most = bits <= 8 ? uint64_t(1) << bits : 256;
    if (colours > most) return "too many colours";
    if (colours == 0 && bits <= 8) colours = static_cast<uint32_t>(most);
    uint64_t tableEnd = FILE_HEADER + headerSize + uint64_t(colours) * (core ? 3 : 4);
    if (compression == BI_BITFIELDS_ && headerSize == INFO_HEADER) tableEnd += 12;
    if (tableEnd > size) return "the colour table is cut short";

    const uint64_t start = offBits ? offBits : tableEnd;
    if (start < FILE_HEADER + headerSize) return "the pixels overlap the header";
    const uint64_t pixelBytes =
        rle ? sizeImage : (uint64_t(width) * bits + 31) / 32 * 4 * uint64_t(height);
    if (rle && pixelBytes == 0) return "no run-length data";
    if (start + pixelBytes > size) return "the pixels are cut short";
    return nullptr;
}
