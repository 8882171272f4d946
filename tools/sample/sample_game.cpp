#include "tools/sample/sample_game.h"

#include <cstdio>
#include <filesystem>

#include "records/data_record.h"
#include "records/palette_data.h"
#include "records/record_list.h"
#include "tools/sample/animations.h"
#include "tools/sample/database_art.h"
#include "tools/sample/definitions.h"
#include "tools/sample/game_palette.h"
#include "tools/sample/sample_database.h"
#include "tools/sample/sheets.h"
#include "tools/sample/sounds.h"
#include "tools/sample/stages.h"
#include "tools/sample/system_ini.h"
#include "tools/sample/system_settings.h"
#include "tools/sample/world.h"

namespace {
bool MakeParent(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    return !ec;
}

int Failed(const std::string& path)
{
    std::fprintf(stderr, "sample: cannot write %s\n", path.c_str());
    return 0;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    if (!MakeParent(path)) return false;
    FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), fp) == bytes.size();
    return std::fclose(fp) == 0 && ok;
}

// A record through its own Save, as the game's files are written.
bool WriteRecord(const std::string& path, cDataRecord& record)
{
    return MakeParent(path) && record.SaveFile(path) == 1;
}

// A database list: the data version, the count and the records.
template <class T>
bool WriteList(const std::string& path, std::vector<T> list)
{
    if (!MakeParent(path)) return false;
    std::unique_ptr<cDataWriter> out = DataFileOpenWrite(path);
    if (!out) return false;
    WriteRecords(list, *out);
    return DataFileClose(out) == 1;
}

int WriteDatabase(const std::string& folder)
{
    cDataBase db;
    MakeSampleDatabase(db);
    const std::string base = folder + "/default/database/";
    int index = 0;
    auto write = [&](const auto& list) {
        const std::string path = base + cDataBase::FileNames[index++];
        return WriteList(path, list) || Failed(path);
    };
    return write(db.m_AnimeSet) && write(db.m_Anime) && write(db.m_BmpCharaExc) && write(db.m_SwordType) &&
           write(db.m_Effect) && write(db.m_CharaEffect) && write(db.m_ScrEffect) && write(db.m_Picture) &&
           write(db.m_Sound) && write(db.m_Bgm);
}

int WritePictures(const std::string& folder)
{
    std::vector<cPicture> pictures = DrawAllPictures();
    for (cPicture& pic : DrawDatabasePictures()) pictures.push_back(std::move(pic));
    for (const cPicture& pic : pictures) {
        const std::string path = folder + "/" + pic.sPath;
        if (!WriteBytes(path, EncodeBmp8(pic.Canvas, GamePalette()))) return Failed(path);
    }
    return 1;
}

int WriteSounds(const std::string& folder)
{
    std::vector<cSound> sounds = MakeSystemSounds();
    for (cSound& s : MakeActionSounds()) sounds.push_back(std::move(s));
    for (const cSound& s : sounds) {
        const std::string path = folder + "/" + s.sPath;
        if (!WriteBytes(path, EncodeWav8(s.Samples))) return Failed(path);
    }
    // The tune's source; the build encodes it.
    std::string tune = folder + "/" + TUNE_FILE;
    tune.replace(tune.size() - 4, 4, ".wav");
    if (!WriteBytes(tune, EncodeWav16(MakeTune()))) return Failed(tune);
    return 1;
}

int WriteData(const std::string& folder)
{
    RecordContext.nDataVersion = DATA_VERSION;
    UseSampleDatabaseCounts();
    CommonPalette = MakeCommonPalette();
    RegisterPalette(PALETTE_COMMON, CommonPalette.Lists());
    if (!WriteDatabase(folder)) return 0;
    // After the database: the settings keep only menu tunes the music list holds.
    cSystemData settings;
    MakeSystemSettings(settings);
    const std::string system = folder + "/default/System.dat";
    if (!WriteRecord(system, settings)) return Failed(system);
    const std::string palette = folder + "/default/CommonPalette.cplt4";
    if (!WriteRecord(palette, CommonPalette)) return Failed(palette);
    for (cStageFile& f : MakeStages(CommonPalette)) {
        RegisterPalette(PALETTE_STAGE, f.Stage.Lists());
        const std::string path = folder + "/" + f.sPath;
        if (!WriteRecord(path, f.Stage)) return Failed(path);
    }
    RegisterPalette(PALETTE_STAGE, {});
    cWorldMap map = MakeWorldMap();
    const std::string world = folder + "/default/WorldMap.dat";
    if (!WriteRecord(world, map)) return Failed(world);
    return 1;
}
}  // namespace

int WriteSampleGame(const std::string& folder)
{
    const std::string ini = folder + "/System.ini";
    if (!WritePictures(folder) || !WriteSounds(folder) || !WriteData(folder)) return 0;
    if (!WriteBytes(ini, SystemIniText())) return Failed(ini);
    return 1;
}
