// "System.ini", read over the defaults as start-up reads it.
#include "app/system/system_ini.h"
#include "fuzz/fuzz_target.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    const std::string path = FuzzScratchPath("System.ini");
    WriteFuzzFile(path, data, size);
    SYSTEMINI ini;
    SetSystemIniDefaults(ini, DefaultIniOptions());
    ReadSystemIni(path.c_str(), ini, DefaultIniOptions());
}

std::vector<FuzzSeed> FuzzSeeds()
{
    const std::string text = "Direct3D=1\r\nWindowMode=1 // window\r\nBpp=16\r\nFreeStage=stage1.tst4\r\nExit\r\n";
    return {{"System.ini", FuzzBytes(text.begin(), text.end())}};
}
