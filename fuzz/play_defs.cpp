// The common palette, the definitions of the characters (their flows and the
// shots their commands fire) and the items: read as start-up reads it, then
// a sample stage read and played with it, its placed blocks, characters and
// items taking their definitions from the palette read. Byte 0 names the
// stage (modulo the number of sample stages), the rest is the palette file.
#include "fuzz/play_fuzz.h"
#include "records/palette_data.h"

namespace {

// Every movement of the sample's characters given inertia up to its own
// speed, turning at twice the rate: the sample moves without inertia, and
// these seeds start the search inside it.
void GiveInertia(cPaletteData& palette)
{
    for (cCharaData& chara : palette.m_Charas)
        for (cFlowData& flow : chara.m_Flows)
            for (cCommandData& command : flow.m_Commands)
                if (cEdMove* move = command.m_pMove.get()) {
                    move->m_bInertia = 1;
                    move->m_sInertiaLimit = move->m_sSpeed;
                    move->m_dReversal = 2.0;
                }
}

} // namespace

void FuzzOne(const uint8_t* data, size_t size)
{
    if (size < 1) return;
    static const std::vector<FuzzBytes> stages = SampleStageFiles(PlacedDefinitions::FromPalette);
    PlayStageFile(stages[data[0] % PLAY_FUZZ_STAGES], data + 1, size - 1);
}

std::vector<FuzzSeed> FuzzSeeds()
{
    const FuzzBytes palettes[] = {SampleCommonPaletteFile(), SampleCommonPaletteFile(GiveInertia)};
    const char* kinds[] = {"", "-inertia"};
    std::vector<FuzzSeed> seeds;
    for (size_t k = 0; k < 2; ++k)
        for (size_t i = 0; i < PLAY_FUZZ_STAGES; ++i) {
            FuzzBytes bytes(1, static_cast<uint8_t>(i));
            bytes.insert(bytes.end(), palettes[k].begin(), palettes[k].end());
            seeds.push_back({"sample" + std::to_string(i) + kinds[k] + ".cplt4", std::move(bytes)});
        }
    return seeds;
}
