#pragma once
// What the play targets share: the sample game in memory, a stage file read
// through the stage loader, set up and played for a few hundred frames of
// scripted input through the real stage-play screen.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_target.h"

// The number of sample stages; the play targets name them by index, in the
// order of the scripted plays.
constexpr size_t PLAY_FUZZ_STAGES = 5;

// The sample stages' files as the game's writer saves them.
std::vector<FuzzBytes> SampleStageFiles();
// The sample's common palette file as the game's writer saves it.
FuzzBytes SampleCommonPaletteFile();

// Reads the common palette from palette (the sample's when palette is null;
// a palette that does not read plays nothing), then the stage file stage as
// a stage is loaded for play, and plays it from the screen's Init: a stage
// of the sample's size with the script that clears it, any other with a
// script of walks, jumps and shots, at most PLAY_FUZZ_FRAMES frames of play.
void PlayStageFile(const FuzzBytes& stage, const uint8_t* palette, size_t paletteSize);

constexpr int PLAY_FUZZ_FRAMES = 400;
