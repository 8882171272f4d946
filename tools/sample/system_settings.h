#pragma once
// The sample game's system settings ("System.dat"): its title, menus and
// texts, the rules of each play mode, the system sounds and the menu music,
// all naming files the generator writes.
#include "files/system_data.h"

// The number of challenge stages ("c01-1" and "c02-1").
constexpr int SAMPLE_CHALLENGES = 2;

// Fills settings, which start as a new project's, with the sample game's.
void MakeSystemSettings(cSystemData& settings);
