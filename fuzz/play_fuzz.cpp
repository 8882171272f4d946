#include "fuzz/play_fuzz.h"

#include <string>

#include "files/stage_file.h"
#include "records/inherit.h"
#include "records/palette_data.h"
#include "tests/stage/sample_plays.h"

namespace {

// Walks both ways, jumps, shots, ducks and climbs: what a stage that is none
// of the sample's is played with.
constexpr char ANY_STAGE_SCRIPT[] =
    "R30 F3 .5 RJ20 R30 RJ12 F2 R20 L20 LJ12 F3 .10 D10 U10 RJ20 R34 F3 RJ16 R20 UJ10 DF5 R40 LJ20 L10 RJ20 R40 .20";

std::string ScratchFile(const char* name, const uint8_t* data, size_t size)
{
    const std::string path = FuzzScratchPath(name);
    WriteFuzzFile(path, data, size);
    return path;
}

// Of the same size and placing as many objects of each kind.
bool LooksLike(const cStageData& a, const cStageData& b)
{
    return a.m_nWidth == b.m_nWidth && a.m_nHeight == b.m_nHeight && a.m_PlacedBlocks.size() == b.m_PlacedBlocks.size() &&
           a.m_PlacedCharas.size() == b.m_PlacedCharas.size() && a.m_PlacedItems.size() == b.m_PlacedItems.size();
}

template <class T>
void ClearBases(std::vector<T>& placed)
{
    for (T& t : placed) {
        t.m_cInheritSource = SOURCE_NONE;
        t.m_sInheritIndex = 0;
    }
}

} // namespace

std::vector<FuzzBytes> SampleStageFiles(PlacedDefinitions placed)
{
    PrepareRecordLoading();
    SampleGame game;
    // A reference into a palette that is not named is cleared as it is
    // written: the generator names the common palette, so must this.
    RegisterPalette(PALETTE_COMMON, CommonPalette.Lists());
    std::vector<FuzzBytes> files;
    for (const SamplePlayScript& play : SAMPLE_PLAYS) {
        cStageData stage = *game.Stage(play.sStage);
        if (placed == PlacedDefinitions::Own) {
            ClearBases(stage.m_PlacedBlocks);
            ClearBases(stage.m_PlacedCharas);
            ClearBases(stage.m_PlacedItems);
        }
        const std::string path = FuzzScratchPath("seed.stg4_000");
        stage.SaveFile(path);
        files.push_back(ReadFuzzFile(path));
    }
    return files;
}

FuzzBytes SampleCommonPaletteFile(void (*change)(cPaletteData&))
{
    PrepareRecordLoading();
    SampleGame game;
    if (change) change(CommonPalette);
    const std::string path = FuzzScratchPath("seed.cplt4");
    CommonPalette.SaveFile(path);
    return ReadFuzzFile(path);
}

void PlayStageFile(const FuzzBytes& stage, const uint8_t* palette, size_t paletteSize)
{
    PrepareRecordLoading();
    // Puts back every global it and the play change when it goes.
    SampleGame game;
    // Start-up names the common palette it read, or the one it kept.
    if (!palette)
        RegisterPalette(PALETTE_COMMON, CommonPalette.Lists());
    else if (!ReadCommonPalette(ScratchFile("CommonPalette.cplt4", palette, paletteSize)))
        return;

    // As the stage loader reads a stage for play.
    const std::string path = ScratchFile("fuzz.stg4_000", stage.data(), stage.size());
    if (!CheckStageFileEnd(path)) return;
    cStageData loaded;
    const bool read = loaded.LoadFile(path);
    if (read) {
        loaded.m_sPath = path;
        StageData = std::move(loaded);
    }
    RegisterPalette(PALETTE_STAGE, StageData.Lists());
    if (!read || !StageData.HasHero()) return;
    CopyPlaySettings(PlayStageData, StageData);

    const char* script = ANY_STAGE_SCRIPT;
    for (const SamplePlayScript& play : SAMPLE_PLAYS)
        if (LooksLike(StageData, *game.Stage(play.sStage))) script = play.sInput;
    game.m_nMaxPlayFrames = PLAY_FUZZ_FRAMES;
    game.Play(script, StageFileModes(), 30);
}
