#pragma once
// The animation sets and animations of the sample game's database: which
// cells of the character sheet each figure shows while it stands, walks and
// flies, and the shooting pose the hero's shot starts.
#include <vector>

#include "records/anime_data.h"

// Entry 0 of each list is the empty entry; the entries follow the numbers of
// definitions.h.
std::vector<cAnimeSetData> MakeAnimeSets();
std::vector<cAnimeData> MakeAnimes();

// The animation the hero's shot command starts.
constexpr int ANIME_SHOOT = 1;
