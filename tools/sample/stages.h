#pragma once
// The sample game's stages, drawn as text maps and built into stage records
// over the common palette.
#include <string>
#include <vector>

#include "records/palette_data.h"
#include "records/stage_data.h"

struct cStageFile {
    std::string sPath;      // relative to the game folder, revision suffix included
    cStageData Stage;
};

// The story stages (the first in two revisions, of which the game plays the
// newer), then the two challenge stages. common is the common palette the
// stages' placed objects inherit from.
std::vector<cStageFile> MakeStages(const cPaletteData& common);

// The names the world map and the challenge select use, without revision.
extern const char* const STORY_STAGE_NAMES[3];
