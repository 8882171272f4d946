#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/system/system_ini.h"
#include "tests/support/test_dir.h"

using namespace std::string_literals;

namespace {

SYSTEMINI Defaults()
{
    SYSTEMINI ini;
    SetSystemIniDefaults(ini, DefaultIniOptions());
    return ini;
}

void ExpectSameIni(const SYSTEMINI& a, const SYSTEMINI& b, const std::string& name)
{
    EXPECT_EQ(a.Direct3D, b.Direct3D) << name;
    EXPECT_EQ(a.WindowMode, b.WindowMode) << name;
    EXPECT_EQ(a.Bpp, b.Bpp) << name;
    EXPECT_EQ(a.VSync, b.VSync) << name;
    EXPECT_EQ(a.D3D_FontCache, b.D3D_FontCache) << name;
    EXPECT_EQ(a.DD_FontCache, b.DD_FontCache) << name;
    EXPECT_EQ(a.DD_VideoStretch, b.DD_VideoStretch) << name;
    EXPECT_EQ(a.ShowFps, b.ShowFps) << name;
    EXPECT_EQ(a.English, b.English) << name;
    EXPECT_EQ(a.FreeStage, b.FreeStage) << name;
}

struct IniCase {
    const char* name;
    std::string text;
    int result;
    std::function<void(SYSTEMINI&)> expect;  // changes from the defaults
};

} // namespace

TEST(SystemIni, DefaultsComeFromTheOptionList)
{
    SYSTEMINI ini = Defaults();
    EXPECT_EQ(ini.Direct3D, 2);
    EXPECT_EQ(ini.WindowMode, 0);
    EXPECT_EQ(ini.Bpp, 0);
    EXPECT_EQ(ini.VSync, 2);
    EXPECT_EQ(ini.D3D_FontCache, 0);
    EXPECT_EQ(ini.DD_FontCache, 1);
    EXPECT_EQ(ini.DD_VideoStretch, 0);
    EXPECT_EQ(ini.ShowFps, 1);
    EXPECT_EQ(ini.FreeStage, "");
    EXPECT_EQ(ini.English, 0);

    // A game's own list: its defaults, except that English always starts off.
    std::vector<INIOPTION> options = DefaultIniOptions();
    for (int i = 0; i < INI_OPTION_COUNT; ++i) options[i].nValue = 10 + i;
    options[INI_FREESTAGE].strValue = "stage";
    SetSystemIniDefaults(ini, options);
    EXPECT_EQ(ini.Direct3D, 10);
    EXPECT_EQ(ini.ShowFps, 17);
    EXPECT_EQ(ini.FreeStage, "stage");
    EXPECT_EQ(ini.English, 0);
}

TEST(SystemIni, ParsingRules)
{
    const std::string name259(259, 'n');
    const IniCase cases[] = {
        {"every key", "Direct3D=1\r\nWindowMode=1\r\nBpp=16\r\nVSync=0\r\nD3D_FontCache=3\r\n"
                      "DD_FontCache=0\r\nDD_VideoStretch=1\r\nShowFps=2\r\nFreeStage=stage.stg4\r\n"
                      "English=1\r\nExit\r\n",
         1, [](SYSTEMINI& e) {
             e.Direct3D = 1; e.WindowMode = 1; e.Bpp = 16; e.VSync = 0; e.D3D_FontCache = 3;
             e.DD_FontCache = 0; e.DD_VideoStretch = 1; e.ShowFps = 2;
             e.FreeStage = "stage.stg4\r"; e.English = 1;
         }},
        {"LF only", "Bpp=32\nExit\n", 1, [](SYSTEMINI& e) { e.Bpp = 32; }},
        // The blank after "=" ends the value at once; "1" is then a key without "=".
        {"blanks around =", "Direct3D = 1\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.Direct3D = 0; }},
        {"blanks inside the key", " Wind owMode\t=1\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.WindowMode = 1; }},
        {"comment after a value", "Direct3D=1 // comment\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.Direct3D = 1; }},
        {"commented-out line", "//Direct3D=0\r\nExit\r\n", 1, [](SYSTEMINI&) {}},
        {"slash ends a value", "Bpp=16/32\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.Bpp = 16; }},
        {"two assignments on a line", "Direct3D=1 Bpp=32\r\nExit\r\n", 1,
         [](SYSTEMINI& e) { e.Direct3D = 1; e.Bpp = 32; }},
        {"no number", "VSync=on\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.VSync = 0; }},
        {"negative number", "VSync=-3\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.VSync = -3; }},
        {"unknown key", "Volume=3\r\nExit\r\n", 1, [](SYSTEMINI&) {}},
        {"case matters", "direct3d=1\r\nExit\r\n", 1, [](SYSTEMINI&) {}},
        {"line without =", "hello world\r\nBpp=8\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.Bpp = 8; }},
        {"later key wins", "Bpp=8\r\nBpp=16\r\nExit\r\n", 1, [](SYSTEMINI& e) { e.Bpp = 16; }},
        {"Exit stops reading", "Bpp=8\r\nExit\r\nBpp=16\r\n", 1, [](SYSTEMINI& e) { e.Bpp = 8; }},
        {"NUL stops reading", "Bpp=8\r\n\0Bpp=16\r\n"s, 1, [](SYSTEMINI& e) { e.Bpp = 8; }},
        {"NUL ends only a value", "Bpp=8\0ShowFps=0\r\nExit\r\n"s, 1,
         [](SYSTEMINI& e) { e.Bpp = 8; e.ShowFps = 0; }},
        {"last line Exit without line feed", "Bpp=8\r\nExit", 1, [](SYSTEMINI& e) { e.Bpp = 8; }},
        {"English stays off unless set", "Exit\r\n", 1, [](SYSTEMINI&) {}},
        {"FreeStage of one letter", "FreeStage=a\nExit\n", 1, [](SYSTEMINI&) {}},
        {"FreeStage of two letters", "FreeStage=ab\nExit\n", 1, [](SYSTEMINI& e) { e.FreeStage = "ab"; }},
        {"FreeStage of 259 letters", "FreeStage=" + name259 + "\nExit\n", 1,
         [&](SYSTEMINI& e) { e.FreeStage = name259; }},
        {"FreeStage of 260 letters", "FreeStage=" + name259 + "x\nExit\n", 1, [](SYSTEMINI&) {}},
        {"over-long value", "Bpp=16" + std::string(5000, 'x') + "\nShowFps=0\nExit\n", 1,
         [](SYSTEMINI& e) { e.Bpp = 16; e.ShowFps = 0; }},
        {"over-long key", std::string(5000, 'k') + "=1\nShowFps=0\nExit\n", 1, [](SYSTEMINI& e) { e.ShowFps = 0; }},
        // Reading stops, with success, after 10,000 rounds: the 10,001st line is not read.
        {"10,000 rounds", [] {
             std::string text;
             for (int i = 0; i < 10000; ++i) text += "Bpp=8\n";
             return text + "ShowFps=0\n";
         }(),
         1, [](SYSTEMINI& e) { e.Bpp = 8; }},
        // Without the end marker the read fails; the caller restores the defaults.
        {"no Exit", "Bpp=16\r\n", 0, [](SYSTEMINI& e) { e.Bpp = 16; }},
        {"empty file", "", 0, [](SYSTEMINI&) {}},
    };
    for (const IniCase& c : cases) {
        ScopedTestDir dir;
        ASSERT_TRUE(WriteFileText("System.ini", c.text));
        SYSTEMINI ini = Defaults();
        EXPECT_EQ(ReadSystemIni("System.ini", ini, DefaultIniOptions()), c.result) << c.name;
        SYSTEMINI expected = Defaults();
        c.expect(expected);
        ExpectSameIni(ini, expected, c.name);
    }
}

TEST(SystemIni, MissingFileFailsAndChangesNothing)
{
    ScopedTestDir dir;
    SYSTEMINI ini = Defaults();
    ini.Bpp = 99;
    EXPECT_EQ(ReadSystemIni("System.ini", ini, DefaultIniOptions()), 0);
    EXPECT_EQ(ini.Bpp, 99);
}

TEST(SystemIni, KeysFollowTheGamesOptionList)
{
    // A game whose option list names the keys differently is read by its names.
    ScopedTestDir dir;
    std::vector<INIOPTION> options = DefaultIniOptions();
    options[INI_BPP].strKey = "Colour";
    ASSERT_TRUE(WriteFileText("System.ini", "Bpp=16\nColour=32\nExit\n"));
    SYSTEMINI ini = Defaults();
    EXPECT_EQ(ReadSystemIni("System.ini", ini, options), 1);
    EXPECT_EQ(ini.Bpp, 32);
}
