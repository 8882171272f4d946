#include "tools/sample/dump.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif
#include <iterator>
#include <vector>

#include "files/database.h"
#include "files/database_context.h"
#include "files/game_progress.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "records/anime_data.h"
#include "records/command_labels.h"
#include "records/data_record.h"
#include "records/palette_data.h"
#include "records/record_list.h"
#include "records/stage_data.h"

namespace {
#ifdef _WIN32
std::string Utf8(const std::string& cp932)
{
    // Through UTF-16, as Windows converts; a byte that is no character comes
    // out as the code page's default character.
    const int n = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    if (n <= 0) return cp932;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), wide.data(), n);
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(m > 0 ? m : 0), '\0');
    if (m > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}
#else
std::string Utf8(const std::string& cp932)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return cp932;
    std::string out(cp932.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(cp932.data());
    size_t inLeft = cp932.size(), outLeft = out.size();
    char* o = out.data();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &o, &outLeft) != static_cast<size_t>(-1)) break;
        // A byte that is no character is shown as '?' and skipped.
        if (outLeft == 0) break;
        *o++ = '?';
        --outLeft;
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}
#endif

std::string Quoted(const std::string& s)
{
    std::string out = "\"";
    for (char c : Utf8(s)) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '"') out += "\\\"";
        else out += c;
    }
    return out + "\"";
}

// Every registered field of a record by position (or by name, when names
// has one for every field), each value as it is stored (integers signed,
// doubles as doubles), then its strings.
std::string Fields(const cDataRecord& r, const std::vector<const char*>& names = {})
{
    std::string out;
    const char* base = reinterpret_cast<const char*>(&r);
    const bool named = names.size() == r.Fields().size();
    int n = 0;
    for (const DATAFIELD& f : r.Fields()) {
        out += " " + (named ? std::string(names[static_cast<size_t>(n)]) : std::to_string(n)) + "=";
        ++n;
        if (f.nOffset < 0) {
            out += "-";
            continue;
        }
        for (int i = 0; i < f.nCount; ++i) {
            const char* p = base + f.nOffset + static_cast<std::ptrdiff_t>(i) * f.cSize;
            char buf[40];
            switch (f.cSize) {
            case 1: std::snprintf(buf, sizeof buf, "%d", static_cast<int>(*reinterpret_cast<const int8_t*>(p))); break;
            case 2: { int16_t v; std::memcpy(&v, p, 2); std::snprintf(buf, sizeof buf, "%d", v); break; }
            case 4: { int32_t v; std::memcpy(&v, p, 4); std::snprintf(buf, sizeof buf, "%d", v); break; }
            default: { double v; std::memcpy(&v, p, 8); std::snprintf(buf, sizeof buf, "%g", v); break; }
            }
            out += (i ? "," : "") + std::string(buf);
        }
    }
    for (const DATASTRFIELD& s : r.Strings())
        out += " " + Quoted(*reinterpret_cast<const std::string*>(base + s.nOffset));
    return out;
}

void Line(std::string& out, int depth, const std::string& text)
{
    out += std::string(static_cast<size_t>(depth) * 2, ' ') + text + "\n";
}

std::string Bytes(const std::vector<uint8_t>& v)
{
    std::string out;
    for (uint8_t b : v) out += std::to_string(b);
    return out;
}

void DumpConditions(std::string& out, int depth, const std::vector<cConditionData>& list)
{
    for (size_t i = 0; i < list.size(); ++i) Line(out, depth, "condition " + std::to_string(i) + ":" + Fields(list[i]));
}

void DumpFlows(std::string& out, int depth, const std::vector<cFlowData>& flows);

void DumpCommands(std::string& out, int depth, const std::vector<cCommandData>& list)
{
    for (size_t i = 0; i < list.size(); ++i) {
        const cCommandData& c = list[i];
        const CMDLABEL* labels = c.m_bItemCommand ? aItemCommandLabel : aCommandLabel;
        const int count = c.m_bItemCommand ? static_cast<int>(ITEMCMD_COUNT) : static_cast<int>(FLOWCMD_COUNT);
        const std::string name = c.m_cKind >= 0 && c.m_cKind < count ? Utf8(labels[c.m_cKind].lpLabel) : "?";
        std::string params;
        for (int32_t p : c.m_Params) params += " " + std::to_string(p);
        Line(out, depth, "command " + std::to_string(i) + " " + name + ":" + Fields(c) + " | params" + params);
        if (c.m_pMove) Line(out, depth + 1, "move:" + Fields(*c.m_pMove));
        if (c.m_pShot) Line(out, depth + 1, "shot:" + Fields(*c.m_pShot));
        DumpFlows(out, depth + 1, c.m_Flows);
    }
}

void DumpFlows(std::string& out, int depth, const std::vector<cFlowData>& flows)
{
    for (size_t i = 0; i < flows.size(); ++i) {
        const cFlowData& f = flows[i];
        Line(out, depth, "flow " + std::to_string(i) + ":" + Fields(f));
        DumpConditions(out, depth + 1, f.m_Conditions);
        for (size_t k = 0; k < f.m_KeyConds.size(); ++k)
            Line(out, depth + 1, "keys " + std::to_string(k) + " " + Bytes(f.m_KeyConds[k].m_KeyStates) + ":" + Fields(f.m_KeyConds[k]));
        DumpCommands(out, depth + 1, f.m_Commands);
    }
}

std::string Cell(int x, int y) { return " at " + std::to_string(x) + "," + std::to_string(y); }

// One palette list or placed-object list: each definition's fields and
// conditions, then what its class holds besides (extra).
template <class T, class Extra>
void DumpDefinitions(std::string& out, const char* what, const std::vector<T>& list, bool placed, Extra extra)
{
    for (size_t i = 0; i < list.size(); ++i) {
        const T& d = list[i];
        Line(out, 1, std::string(what) + " " + std::to_string(i) + (placed ? Cell(d.m_sCellX, d.m_sCellY) : "") +
                         " inherit " + Bytes(d.m_InheritFlags) + ":" + Fields(d));
        DumpConditions(out, 2, d.m_Conditions);
        extra(d);
    }
}

void DumpPaletteLists(std::string& out, const std::vector<cBlockData>& blocks, const std::vector<cCharaData>& charas,
                      const std::vector<cItemData>& items, bool placed)
{
    DumpDefinitions(out, "block", blocks, placed, [](const cBlockData&) {});
    DumpDefinitions(out, "chara", charas, placed, [&](const cCharaData& c) { DumpFlows(out, 2, c.m_Flows); });
    DumpDefinitions(out, "item", items, placed, [&](const cItemData& it) { DumpCommands(out, 2, it.m_Commands); });
}

// The stage's cells as a picture: '#' a placed block, 'C' a character,
// 'I' an item, '.' empty.
void DumpStageMap(std::string& out, const cStageData& s)
{
    if (s.m_nWidth <= 0 || s.m_nHeight <= 0 || s.m_nWidth > 1000 || s.m_nHeight > 1000) return;
    std::vector<std::string> rows(static_cast<size_t>(s.m_nHeight), std::string(static_cast<size_t>(s.m_nWidth), '.'));
    auto mark = [&](int x, int y, char c) {
        if (x >= 0 && y >= 0 && x < s.m_nWidth && y < s.m_nHeight) rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = c;
    };
    for (const cBlockData& b : s.m_PlacedBlocks) mark(b.m_sCellX, b.m_sCellY, '#');
    for (const cItemData& i : s.m_PlacedItems) mark(i.m_sCellX, i.m_sCellY, 'I');
    for (const cCharaData& c : s.m_PlacedCharas) mark(c.m_sCellX, c.m_sCellY, c.m_cControl == CHARA_PLAYER ? 'P' : 'C');
    Line(out, 0, "map:");
    for (const std::string& r : rows) Line(out, 1, r);
}

bool Ends(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string BaseName(const std::string& path)
{
    size_t k = path.find_last_of("/\\");
    return k == std::string::npos ? path : path.substr(k + 1);
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return at + 4 <= b.size() ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24 : 0;
}
uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0; }

std::string DumpBmp(const std::vector<uint8_t>& b, bool& ok)
{
    ok = b.size() >= 54 && b[0] == 'B' && b[1] == 'M';
    if (!ok) return "not a BMP file\n";
    const int w = static_cast<int32_t>(U32(b, 18)), h = static_cast<int32_t>(U32(b, 22)), bits = static_cast<int>(U16(b, 28));
    std::string out = "BMP " + std::to_string(w) + "x" + std::to_string(h) + ", " + std::to_string(bits) + " bits, " +
                      std::to_string(U32(b, 46)) + " colours, pixels at " + std::to_string(U32(b, 10)) + "\n";
    if (bits == 8 && b.size() >= 54 + 1024) {
        const size_t stride = (static_cast<size_t>(w) + 3) & ~size_t{3};
        const size_t topLeft = U32(b, 10) + stride * static_cast<size_t>(h > 0 ? h - 1 : 0);
        if (topLeft < b.size()) {
            const size_t e = 54 + 4 * static_cast<size_t>(b[topLeft]);
            out += "top-left pixel: entry " + std::to_string(b[topLeft]) + " = " + std::to_string(b[e + 2]) + "," +
                   std::to_string(b[e + 1]) + "," + std::to_string(b[e]) + "\n";
        }
    }
    return out;
}

std::string DumpWav(const std::vector<uint8_t>& b, bool& ok)
{
    ok = b.size() >= 44 && std::memcmp(b.data(), "RIFF", 4) == 0 && std::memcmp(b.data() + 8, "WAVEfmt ", 8) == 0;
    if (!ok) return "not a WAV file\n";
    const uint32_t rate = U32(b, 24), bits = U16(b, 34), channels = U16(b, 22), data = U32(b, 40);
    const uint32_t frame = channels * bits / 8;
    return "WAV format " + std::to_string(U16(b, 20)) + ", " + std::to_string(channels) + " channel(s), " +
           std::to_string(rate) + " Hz, " + std::to_string(bits) + " bits, " + std::to_string(frame ? data / frame : 0) +
           " samples (" + std::to_string(rate && frame ? data / frame * 1000 / rate : 0) + " ms)\n";
}

// A record file read through the record's own LoadFile.
template <class T, class Print>
std::string DumpRecordFile(const std::string& path, bool& ok, Print print)
{
    T record;
    ok = record.LoadFile(path) == 1;
    std::string out = "data version " + std::to_string(nFileVersion) + (ok ? "" : " (damaged or unreadable)") + "\n";
    print(out, record);
    return out;
}

// A database list: u32 count and records, read through the record class.
template <class T, class Print>
std::string DumpListFile(const std::string& path, bool& ok, Print print)
{
    std::vector<T> list;
    std::unique_ptr<cDataReader> in = DataFileOpenRead(path);
    ok = in != nullptr;
    if (ok) {
        ReadRecords(list, *in);
        ok = in->Remaining() == 0 && DataFileClose(in) == 1;
    }
    std::string out = "data version " + std::to_string(nFileVersion) + (ok ? "" : " (damaged or unreadable)") + "\n";
    for (size_t i = 0; i < list.size(); ++i) print(out, i, list[i]);
    return out;
}

void DumpAnimeFrames(std::string& out, int depth, const cAnimeData& a, const std::string& head)
{
    std::string frames;
    for (const cAnimeFrameData& f : a.m_Frames) frames += " " + std::to_string(f.m_nCell) + "/" + std::to_string(f.m_nTime) + (f.m_bKey ? "*" : "");
    Line(out, depth, head + Fields(a) + " | cell/time" + frames);
}

void DumpProgress(std::string& out, const cGameProgress& g)
{
    Line(out, 0, "progress:" + Fields(g));
    const SAVETIME& t = g.m_SaveTime;
    Line(out, 0, "saved " + std::to_string(t.wYear) + "-" + std::to_string(t.wMonth) + "-" + std::to_string(t.wDay) + " " +
                     std::to_string(t.wHour) + ":" + std::to_string(t.wMinute) + ":" + std::to_string(t.wSecond));
    auto ints = [&](const char* what, const std::vector<int32_t>& v) {
        // Only the entries that are not 0, as index=value.
        std::string text;
        for (size_t i = 0; i < v.size(); ++i)
            if (v[i]) text += " " + std::to_string(i) + "=" + std::to_string(v[i]);
        Line(out, 0, std::string(what) + " (" + std::to_string(v.size()) + "):" + text);
    };
    ints("carry flags", g.m_CarryFlags);
    ints("clear flags", g.m_ClearFlags);
    ints("common variables", g.m_CommonVars);
    for (const cNamedIntData& b : g.m_BestValues) Line(out, 0, "best:" + Fields(b));
    for (size_t i = 0; i < g.m_ChallengeRecords.size(); ++i) Line(out, 0, "challenge " + std::to_string(i + 1) + ":" + Fields(g.m_ChallengeRecords[i]));
    for (size_t i = 0; i < g.m_CarryOver.size(); ++i) {
        Line(out, 0, "carried " + std::to_string(i) + ":" + Fields(g.m_CarryOver[i]));
        Line(out, 1, "chara:" + Fields(g.m_CarryOver[i].m_Chara));
    }
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const std::string& t : texts) out += " " + Quoted(t);
    return out;
}

template <class T>
std::string Numbers(const std::vector<T>& values)
{
    std::string out;
    for (T v : values) out += " " + std::to_string(static_cast<long long>(v));
    return out;
}

template <class T>
void DumpRecords(std::string& out, const char* what, const std::vector<T>& list)
{
    for (size_t i = 0; i < list.size(); ++i) Line(out, 1, std::string(what) + " " + std::to_string(i) + ":" + Fields(list[i]));
}

// The settings' fields in the order of a current file.
const std::vector<const char*> SYSTEM_FIELD_NAMES = {
    "ExtraLifeByScore", "ExtraLifeScore", "PauseHidesStage", "IconLetters", "FontFace", "CenterGlyphs",
    "KeepFlaggedFlows", "Replay", "TitleMenuImage", "StoryKeepLives", "StoryRetryPrompt", "MapShowLives",
    "ChallengeCount", "ChallengeAllOpen", "MapShowBest", "MenuShowTotal", "StoryRestoreVars",
    "StoryRestartCleared", "ChallengeShowBest", "ChallengeShowTotal", "ChallengeRestoreVars",
    "ChallengeRestartCleared", "FreeRestoreVars", "DirectRestoreVars", "FullColor", "TransparentRed",
    "TransparentGreen", "TransparentBlue", "NoScrollCarry", "RescaleByHitHeight", "KeepDefeatedChara",
    "D3DCharaColor", "ColorCycleStep", "PaletteCycle", "FlowRefire", "ThunderNoGap", "PlaceIgnoresCond",
    "KeyOverlap", "RisingLands", "KeepNegativeTime", "Reserved696", "LegacyStartTrigger", "D3DFullBpp",
    "DDFullBpp",
};

void DumpSystemData(std::string& out, cSystemData& s)
{
    // Loaded records are registered for the current version again.
    Line(out, 0, "settings:" + Fields(s, SYSTEM_FIELD_NAMES));
    Line(out, 0, "title menu:");
    DumpRecords(out, "item", s.m_TitleMenu);
    Line(out, 0, "world-map menu:");
    DumpRecords(out, "item", s.m_WorldMapMenu);
    Line(out, 0, "option menu:");
    DumpRecords(out, "item", s.m_OptionMenu);
    Line(out, 0, "ranking modes:" + Joined(s.m_RankingModeNames));
    Line(out, 0, "texts:");
    for (size_t i = 0; i < s.m_TextList.size(); ++i) Line(out, 1, std::to_string(i) + " " + Quoted(s.m_TextList[i]));
    Line(out, 0, "status items:");
    DumpRecords(out, "item", s.m_StatusItems);
    Line(out, 0, "lives by mode:" + Numbers(s.m_DefaultLives));
    Line(out, 0, "infinite lives by mode:" + Numbers(s.m_InfiniteLives));
    Line(out, 0, "rankings by mode:");
    for (size_t i = 0; i < s.m_ModeSettings.size(); ++i)
        Line(out, 1, "mode " + std::to_string(i) + ":" + Fields(s.m_ModeSettings[i]) + " | genres " + Bytes(s.m_ModeSettings[i].m_Genres));
    Line(out, 0, "carry-over kept: " + Bytes(s.m_CarryOverKeep));
    Line(out, 0, "carry-over reset: " + Bytes(s.m_CarryOverReset));
    Line(out, 0, "sound files:");
    for (size_t i = 0; i < s.m_SoundFiles.size(); ++i) Line(out, 1, std::to_string(i) + " " + Quoted(s.m_SoundFiles[i]));
    Line(out, 0, "menu tunes:" + Numbers(s.m_MenuBgm) + " | loop " + Bytes(s.m_MenuBgmLoop));
    Line(out, 0, "System.ini keys:");
    DumpRecords(out, "key", s.m_IniOptions);
}

// The lengths of the lists of the database that sits beside a game file (in
// its folder or the one above, under "database/"), so that its references
// read as the game reads them; the record context is left alone when there
// is none.
void UseDatabaseBeside(const std::string& path)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(path).parent_path();
    for (const fs::path& base : {dir, dir.parent_path()}) {
        const fs::path folder = (base.empty() ? fs::path(".") : base) / "database";
        std::error_code ec;
        if (!fs::exists(folder / cDataBase::FileNames[cDataBase::FILES - 1], ec)) continue;
        cDataBase db;
        if (db.LoadAll(folder.string() + "/")) SetRecordContext(db, RecordContext);
        return;
    }
}

std::string DumpReplay(const std::string& path, bool& ok)
{
    cReplay replay;
    cStageData stage, play;
    cGameProgress progress;
    ok = LoadReplayFile(replay, path, stage, play, progress) == 1;
    std::string out = "data version " + std::to_string(nFileVersion) + (ok ? "" : " (damaged or unreadable)") + "\n";
    if (!ok) return out;
    Line(out, 0, "stage " + std::to_string(play.m_nWidth) + "x" + std::to_string(play.m_nHeight) + ", " +
                     std::to_string(stage.m_PlacedCharas.size()) + " characters placed, progress stage key " + Quoted(progress.m_sStageKey));
    Line(out, 0, "seed " + std::to_string(replay.m_nSeed));
    // Each stream as value x frames, the words in hexadecimal.
    auto stream = [&](const char* what, const std::vector<int16_t>& values, const std::vector<int32_t>& runs) {
        long long frames = 0;
        for (int32_t r : runs) frames += r;
        Line(out, 0, std::string(what) + " (" + std::to_string(values.size()) + " runs, " + std::to_string(frames) + " frames):");
        for (size_t i = 0; i < values.size() && i < runs.size(); ++i) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%04x x %d", static_cast<unsigned>(static_cast<uint16_t>(values[i])), runs[i]);
            Line(out, 1, buf);
        }
    };
    stream("directions", replay.m_DirValues, replay.m_DirRuns);
    stream("buttons", replay.m_ButtonValues, replay.m_ButtonRuns);
    DumpProgress(out, progress);
    return out;
}
}  // namespace

std::string DumpFile(const std::string& path, bool& ok)
{
    ok = false;
    RecordContext.nDataVersion = DATA_VERSION;
    const std::string name = BaseName(path);
    std::vector<uint8_t> bytes;
    if (!ReadAll(path, bytes)) return "cannot read " + path + "\n";
    if (Ends(name, ".bmp") || Ends(name, ".BMP")) return DumpBmp(bytes, ok);
    if (Ends(name, ".wav") || Ends(name, ".WAV")) return DumpWav(bytes, ok);
    if (Ends(name, ".ini")) {
        ok = true;
        return Utf8(std::string(bytes.begin(), bytes.end()));
    }
    // Stages, the palette and the settings check their references against
    // the database lists; those of the game the file belongs to.
    if (Ends(name, ".cplt4") || name.find(".stg4_") != std::string::npos || name.find(".rpl4_") != std::string::npos ||
        name == "System.dat")
        UseDatabaseBeside(path);
    if (Ends(name, ".cplt4")) {
        return DumpRecordFile<cPaletteData>(path, ok, [](std::string& out, cPaletteData& p) {
            DumpPaletteLists(out, p.m_Blocks, p.m_Charas, p.m_Items, false);
        });
    }
    if (name.find(".stg4_") != std::string::npos) {
        return DumpRecordFile<cStageData>(path, ok, [](std::string& out, cStageData& s) {
            Line(out, 0, "stage:" + Fields(s));
            std::string ranks;
            for (int32_t r : s.m_RankList) ranks += " " + std::to_string(r);
            Line(out, 0, "ranked genres:" + ranks);
            for (int e = 0; e < cStageData::EDGE_COUNT; ++e) Line(out, 0, "edge " + std::to_string(e) + ":" + Fields(s.m_ScreenEdges[e]));
            for (size_t i = 0; i < s.m_Backgrounds.size(); ++i) Line(out, 0, "background " + std::to_string(i) + ":" + Fields(s.m_Backgrounds[i]));
            for (size_t i = 0; i < s.m_Texts.size(); ++i) Line(out, 0, "text " + std::to_string(i) + ":" + Fields(s.m_Texts[i]));
            Line(out, 0, "palette:");
            DumpPaletteLists(out, s.m_Blocks, s.m_Charas, s.m_Items, false);
            Line(out, 0, "placed:");
            DumpPaletteLists(out, s.m_PlacedBlocks, s.m_PlacedCharas, s.m_PlacedItems, true);
            DumpStageMap(out, s);
        });
    }
    if (name == "AnimeSet.dat") {
        return DumpListFile<cAnimeSetData>(path, ok, [](std::string& out, size_t i, cAnimeSetData& s) {
            Line(out, 0, "set " + std::to_string(i) + ":" + Fields(s));
            for (size_t k = 0; k < s.m_Animes.size(); ++k) DumpAnimeFrames(out, 1, s.m_Animes[k], "animation " + std::to_string(k) + ":");
        });
    }
    if (name == "Anime.dat") {
        return DumpListFile<cAnimeData>(path, ok, [](std::string& out, size_t i, cAnimeData& a) {
            DumpAnimeFrames(out, 0, a, "animation " + std::to_string(i) + ":");
        });
    }
    if (name == "WorldMap.dat") {
        return DumpRecordFile<cWorldMap>(path, ok, [](std::string& out, cWorldMap& m) {
            Line(out, 0, "map:" + Fields(m));
            for (size_t i = 0; i < m.m_Chips.size(); ++i) Line(out, 0, "chip " + std::to_string(i) + ":" + Fields(m.m_Chips[i]));
            // The cells as chip numbers 0 to 9 (other numbers as '?').
            Line(out, 0, "cells:");
            for (int y = 0; y < m.m_nHeight && y < 1000; ++y) {
                std::string row;
                for (int x = 0; x < m.m_nWidth && x < 1000; ++x) {
                    const int c = m.CellAt(x, y);
                    row += c >= 0 && c < 10 ? static_cast<char>('0' + c) : '?';
                }
                Line(out, 1, row);
            }
            auto points = [&](const char* what, const std::vector<cWorldMapPoint>& list) {
                for (size_t i = 0; i < list.size(); ++i) {
                    Line(out, 0, std::string(what) + " " + std::to_string(i) + ":" + Fields(list[i]));
                    for (size_t k = 0; k < list[i].m_Stages.size(); ++k) Line(out, 1, "entry " + std::to_string(k) + ":" + Fields(list[i].m_Stages[k]));
                }
            };
            points("point", m.m_Points);
            points("spare point", m.m_SparePoints);
        });
    }
    if (Ends(name, "rkg")) {
        return DumpRecordFile<cRankingSet>(path, ok, [](std::string& out, cRankingSet& set) {
            for (size_t g = 0; g < set.m_Rankings.size(); ++g) {
                Line(out, 0, "genre " + std::to_string(g) + (set.m_Rankings[g].m_bHighFirst ? " (high first)" : " (low first)"));
                for (size_t i = 0; i < set.m_Rankings[g].m_Entries.size(); ++i) {
                    const cRankingEntry& e = set.m_Rankings[g].m_Entries[i];
                    if (e.m_bUsed) Line(out, 1, std::to_string(i + 1) + ". " + std::to_string(e.m_nScore) + " " + Quoted(e.m_strName));
                }
            }
        });
    }
    if ((name.rfind("Story", 0) == 0 || name == "Challenge.dat") && Ends(name, ".dat")) {
        return DumpRecordFile<cGameProgress>(path, ok, [](std::string& out, cGameProgress& g) { DumpProgress(out, g); });
    }
    if (name.find(".rpl4_") != std::string::npos) return DumpReplay(path, ok);
    if (name == "System.dat") return DumpRecordFile<cSystemData>(path, ok, DumpSystemData);
    if (name == "Bmp_CharaExc.dat") {
        return DumpListFile<cBmpCharaExcData>(path, ok, [](std::string& out, size_t i, cBmpCharaExcData& e) {
            Line(out, 0, "image " + std::to_string(i) + ":" + Fields(e));
        });
    }
    if (name == "SwordType.dat") {
        return DumpListFile<cSwordTypeData>(path, ok, [](std::string& out, size_t i, cSwordTypeData& s) {
            Line(out, 0, "sword " + std::to_string(i) + ":" + Fields(s));
            DumpRecords(out, "part", s.m_Parts);
        });
    }
    if (name == "Effect.dat") {
        return DumpListFile<cEffectData>(path, ok, [](std::string& out, size_t i, cEffectData& e) {
            std::string frames;
            for (const cEffectFrameData& f : e.m_Frames) frames += " " + std::to_string(f.m_nCell) + "/" + std::to_string(f.m_nFrameTime);
            Line(out, 0, "effect " + std::to_string(i) + ":" + Fields(e) + " | cell/time" + frames);
        });
    }
    if (name == "CharaEffect.dat") {
        return DumpListFile<cCharaEffectData>(path, ok, [](std::string& out, size_t i, cCharaEffectData& e) {
            Line(out, 0, "effect " + std::to_string(i) + ":" + Fields(e));
        });
    }
    if (name == "ScrEffect.dat") {
        return DumpListFile<cScrEffectData>(path, ok, [](std::string& out, size_t i, cScrEffectData& e) {
            Line(out, 0, "effect " + std::to_string(i) + ":" + Fields(e));
        });
    }
    auto media = [&](auto record) {
        using T = decltype(record);
        return DumpListFile<T>(path, ok, [](std::string& out, size_t i, T& e) { Line(out, 0, "entry " + std::to_string(i) + ":" + Fields(e)); });
    };
    if (name == "Picture.dat") return media(cPictureData());
    if (name == "Sound.dat") return media(cSoundData());
    if (name == "Bgm.dat") return media(cBgmData());
    return "no dump for " + path + "\n";
}
