#pragma once
// What the display tests share: a window of their own with a 640 by 480 client
// area, the display brought up and down per test, pixels read back
// independently of the code under test, and BMP fixtures written by the tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/surface_record.h"
#include "tests/support/test_dir.h"

// A plain window of the tests' own class, shown without activation.
HWND CreateTestWindow();

// Reads one pixel of a loaded surface on either back end, outside the code
// under test: the lockable Direct3D back buffer or a texture level directly, a
// render-target texture through GetRenderTargetData into a surface of the
// test's own, a DirectDraw surface through its Lock. 32-bit surfaces give the
// whole pixel, 16-bit ones the word. Ends an open scene first.
uint32_t ReadPixel(DDSURFACEDATA* surface, int x, int y);
// The same for a whole rectangle, row by row.
std::vector<uint32_t> ReadPixels(DDSURFACEDATA* surface, int x, int y, int width, int height);

// Writes a bottom-up BI_RGB BMP of 1, 4, 8, 24 or 32 bits. pixels holds width x
// height values, row by row from the top: 0xRRGGBB for 24 and 32 bits, palette
// indices for 1, 4 and 8 bits (palette: up to 2, 16 or 256 0xRRGGBB entries).
void WriteBmp(const std::string& path, int width, int height, int bpp,
              const std::vector<uint32_t>& pixels, const std::vector<uint32_t>& palette = {});

// A 24-bit BMP of assorted colours from a fixed sequence started at seed,
// with black (the tests' transparent colour) at every pixel index i where
// i % keyEvery == keyAt.
void WriteNoiseBmp(const std::string& path, int width, int height, uint32_t seed, int keyEvery,
                   int keyAt);

// Whether part occurs in text (report and trace lines).
bool Has(const std::string& text, const std::string& part);

// Counts the message boxes the code under test would show (and shows none).
struct BoxCapture {
    static inline std::vector<std::string> texts;
    static int Show(const char* text, const char* caption, UINT type);
    BoxCapture();
    ~BoxCapture();
};

// Each test: its own folder with a fresh report log, its own window, the
// boxes captured, and the display and every test switch reset afterwards.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // DDInit on the test window at 640 x 480 with the test's surface array.
    bool Up(int d3d, int bpp = 32, int windowed = 1, int vsync = 0);
    // Up at 32 bits in a window, with magenta as the transparent colour.
    bool UpWithKey(int d3d);
    std::string ReportText();
    std::string TraceText();

    ScopedTestDir m_dir;
    BoxCapture m_boxes;
    HWND m_hWnd = nullptr;
    DDSURFACEDATA m_surfaces[8];
    DDSURFACEPARAM m_params[8];
};

// A test of the fixture run once on each back end, as its own case:
// GetParam() is 1 for Direct3D, then 0 for DirectDraw.
// Each test file gives its suite a name of its own
// (using BothBackEndsFill = OnBothBackEnds<DisplayTest>;) and instantiates it
// once: a suite instantiated in two files would run every case twice.
template <class FIXTURE>
class OnBothBackEnds : public FIXTURE, public testing::WithParamInterface<int> {};
// "Direct3D" or "DirectDraw", the case's name.
std::string BackEndName(const testing::TestParamInfo<int>& info);
#define INSTANTIATE_BOTH_BACK_ENDS(suite) \
    INSTANTIATE_TEST_SUITE_P(, suite, testing::Values(1, 0), BackEndName)
