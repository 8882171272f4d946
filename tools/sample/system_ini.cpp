#include "tools/sample/system_ini.h"

#include <string>

std::vector<uint8_t> SystemIniText()
{
    // The reader stops at "Exit"; a file that ends without it fails to read.
    const std::string text =
        "Direct3D=1\r\n"
        "WindowMode=1\r\n"
        "Bpp=0\r\n"
        "VSync=2\r\n"
        "D3D_FontCache=0\r\n"
        "DD_FontCache=1\r\n"
        "DD_VideoStretch=0\r\n"
        "ShowFps=0\r\n"
        "Exit\r\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}
