#pragma once
// The ranking genres every play mode can rank by: score, remaining time,
// clear time, remaining HP, remaining SP.
constexpr int RANKING_GENRES = 5;
