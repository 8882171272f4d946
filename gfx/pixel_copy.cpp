#include "gfx/pixel_copy.h"

#include <algorithm>
#include <unordered_map>

#include "app/system/message_box.h"
#include "gfx/palette.h"
#include "gfx/palette_table.h"
#include "gfx/pixel_format.h"
#include "gfx/surface_lock.h"

namespace {

// Palette lookup by colour: the first entry of each colour wins, so the
// result is that of a scan from entry 0 (done once per pixel otherwise).
class cPaletteIndex {
public:
    // key(entry) gives the value a pixel of that colour reads as.
    template <class Key>
    explicit cPaletteIndex(Key key)
    {
        for (int k = 255; k >= 0; --k) m_Index[key(Display.Palette[k])] = static_cast<BYTE>(k);
    }
    bool Find(DWORD value, BYTE* index) const
    {
        auto it = m_Index.find(value);
        if (it == m_Index.end()) return false;
        *index = it->second;
        return true;
    }

private:
    std::unordered_map<DWORD, BYTE> m_Index;
};

DWORD RgbKey(int r, int g, int b)
{
    return static_cast<DWORD>(r) << 16 | static_cast<DWORD>(g) << 8 | static_cast<DWORD>(b);
}

DWORD EntryRgb(const PALETTEENTRY& e)
{
    return RgbKey(e.peRed, e.peGreen, e.peBlue);
}

// What pixel value of the locked surface stands for which colour key, per
// layout; false for a pixel that has no colour (or a depth without a rule).
struct PIXELREADER {
    PIXELLAYOUT layout;
    int bytes;
    bool colorKeyed;

    bool Read(DWORD pixel, DWORD* key, bool* keyedZero) const
    {
        *keyedZero = false;
        switch (layout.nKind) {
        case PIXEL_D3D1555:
        case PIXEL_D3D565: {
            if (colorKeyed && pixel == 0) {
                *keyedZero = true;
                return true;
            }
            const PIXELRGB c = ChannelsTo255(SplitChannels(pixel, layout.Format), layout.Format);
            *key = RgbKey(c.r, c.g, c.b);
            return true;
        }
        case PIXEL_DD16: *key = pixel & 0xFFFF; return true;
        default: break;
        }
        if (bytes == 3 || bytes == 4) {
            *key = pixel & 0xFFFFFF;
            return true;
        }
        return false;
    }
};

}  // namespace

int DDMakePixelCopy(std::unique_ptr<BYTE[]>* copy, DDSURFACEDATA* record)
{
    if (!copy || !record) return 0;
    cSurfaceLock lock(record);
    if (!lock.Locked()) {
        OutOfMemoryExit();
        return 0;
    }
    const int pitch = lock.m_nPitch, height = std::max(record->nHeight, 0);
    *copy = std::make_unique<BYTE[]>(static_cast<size_t>(pitch) * height);

    const PIXELLAYOUT layout = DDPixelLayout(lock.m_lpSD);
    const bool colorKeyed = lock.m_lpSD->lpDT && lock.m_lpSD->lpDT->bColorKey;
    const PIXELREADER reader = {layout, lock.m_nBytesPerPixel, colorKeyed};
    const cPaletteIndex index = layout.nKind == PIXEL_DD16
                                    ? cPaletteIndex([](const PALETTEENTRY& e) -> DWORD {
                                          return DDPalToRGB16(&e);
                                      })
                                    : cPaletteIndex(EntryRgb);
    // A duplicate locks the record it shares, which may be smaller.
    const int w = std::min({record->nWidth, lock.Width(), pitch});
    const int h = std::min(height, lock.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            DWORD key = 0;
            bool keyedZero = false;
            if (!reader.Read(lock.Read(x, y), &key, &keyedZero)) continue;
            BYTE found = 0;
            if (keyedZero || index.Find(key, &found)) (*copy)[y * pitch + x] = found;
        }
    return 1;
}
