#include "app/system/system_ini.h"

#include <cstdio>
#include <cstdlib>

SYSTEMINI SystemIni;

namespace {

// The reader keeps at most this much of a key or a value; the rest of an
// over-long text is read and dropped, so it can neither overflow nor match.
constexpr size_t INI_TEXT_LIMIT = 2047;
constexpr int INI_MAX_ROUNDS = 10000;

int* NumberField(SYSTEMINI& ini, int position)
{
    switch (position) {
    case INI_DIRECT3D: return &ini.Direct3D;
    case INI_WINDOWMODE: return &ini.WindowMode;
    case INI_BPP: return &ini.Bpp;
    case INI_VSYNC: return &ini.VSync;
    case INI_D3D_FONTCACHE: return &ini.D3D_FontCache;
    case INI_DD_FONTCACHE: return &ini.DD_FontCache;
    case INI_DD_VIDEOSTRETCH: return &ini.DD_VideoStretch;
    case INI_SHOWFPS: return &ini.ShowFps;
    case INI_ENGLISH: return &ini.English;
    default: return nullptr;
    }
}

void ApplyIniValue(SYSTEMINI& ini, const std::vector<INIOPTION>& options, const std::string& key,
                   const std::string& value)
{
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i].strKey != key) continue;
        int position = static_cast<int>(i);
        if (position == INI_FREESTAGE) {
            // A one-letter name is no stage file, and a name that does not fit stays out.
            if (value.size() >= 2 && value.size() <= FREESTAGE_MAX_LENGTH) ini.FreeStage = value;
        } else if (int* field = NumberField(ini, position)) {
            *field = std::atoi(value.c_str());
        }
        return;  // the first key of that name decides
    }
}

} // namespace

const std::vector<INIOPTION>& DefaultIniOptions()
{
    static const std::vector<INIOPTION> options = {
        {"Direct3D", 2, ""},      {"WindowMode", 0, ""},    {"Bpp", 0, ""},
        {"VSync", 2, ""},         {"D3D_FontCache", 0, ""}, {"DD_FontCache", 1, ""},
        {"DD_VideoStretch", 0, ""}, {"ShowFps", 1, ""},     {"FreeStage", 0, ""},
        {"English", 0, ""},
    };
    return options;
}

void SetSystemIniDefaults(SYSTEMINI& ini, const std::vector<INIOPTION>& options)
{
    for (int position = INI_DIRECT3D; position <= INI_SHOWFPS; ++position) {
        *NumberField(ini, position) =
            position < static_cast<int>(options.size()) ? options[position].nValue : 0;
    }
    ini.FreeStage.clear();
    if (options.size() > INI_FREESTAGE && options[INI_FREESTAGE].strValue.size() <= FREESTAGE_MAX_LENGTH)
        ini.FreeStage = options[INI_FREESTAGE].strValue;
    // The game's English default is not offered to the player's machine.
    ini.English = 0;
}

int ReadSystemIni(const char* path, SYSTEMINI& ini, const std::vector<INIOPTION>& options)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) return 0;
    int result = 1;
    std::string key, value;
    for (int round = 0; round < INI_MAX_ROUNDS; ++round) {
        // Key: blanks, tabs and carriage returns are left out wherever they stand.
        key.clear();
        bool assignment = false;
        for (;;) {
            int c = std::fgetc(file);
            if (c == EOF) {
                // The end marker must come first; a last line "Exit" without
                // its line feed still counts as the marker.
                result = key == "Exit" ? 1 : 0;
                std::fclose(file);
                return result;
            }
            if (c == '=') {
                assignment = true;
                break;
            }
            if (c == '\r' || c == ' ' || c == '\t') continue;
            if (c == '\0') {
                std::fclose(file);
                return 1;
            }
            if (c == '\n') break;
            if (key.size() < INI_TEXT_LIMIT) key += static_cast<char>(c);
        }
        if (!assignment) {
            if (key == "Exit") break;
            continue;  // a line without "=" says nothing
        }
        // Value: ends at a blank, tab, "/", line feed or NUL, which is used up;
        // a carriage return before the line feed stays part of it.
        value.clear();
        for (;;) {
            int c = std::fgetc(file);
            if (c == EOF || c == ' ' || c == '\t' || c == '/' || c == '\n' || c == '\0') break;
            if (value.size() < INI_TEXT_LIMIT) value += static_cast<char>(c);
        }
        ApplyIniValue(ini, options, key, value);
    }
    std::fclose(file);
    return result;
}
