#pragma once
// What the play targets share: the sample game in memory, a stage file read
// through the stage loader, set up and played for a few hundred frames of
// scripted input through the real stage-play screen.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_target.h"

class cPaletteData;

// The number of sample stages; the play targets name them by index, in the
// order of the scripted plays.
constexpr size_t PLAY_FUZZ_STAGES = 5;

// What a sample stage's placed blocks, characters and items hold.
enum class PlacedDefinitions {
    // Each names its row of the common palette and takes its definition from
    // it when the stage is read (a sign keeps its own text), as the game's
    // writer saves them: a mutated palette reaches every placed object.
    FromPalette,
    // Each keeps the copy of its row as its own definition, naming no base:
    // a mutated stage file reaches play whole.
    Own,
};

// The sample stages' files, their placed objects as placed says.
std::vector<FuzzBytes> SampleStageFiles(PlacedDefinitions placed);
// The sample's common palette file as the game's writer saves it, edited
// by change first when one is given.
FuzzBytes SampleCommonPaletteFile(void (*change)(cPaletteData&) = nullptr);

// Reads the common palette from palette (the sample's when palette is null;
// a palette that does not read plays nothing), then the stage file stage as
// a stage is loaded for play, and plays it from the screen's Init: a stage
// of the sample's size with the script that clears it, any other with a
// script of walks, jumps and shots, at most PLAY_FUZZ_FRAMES frames of play.
void PlayStageFile(const FuzzBytes& stage, const uint8_t* palette, size_t paletteSize);

constexpr int PLAY_FUZZ_FRAMES = 400;
