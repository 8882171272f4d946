#pragma once
// The stage that play runs, the copy every start restores it from, and the
// parts of reading and writing stage files that need no window.
//
// StageData is the stage as last read: its palette and placed objects stay
// as read until the next stage is read, and commands may change its other
// parts while it plays. PlayStageData holds only those other parts (the
// record's fields, the rank list, the screen edges, the backgrounds and the
// texts), untouched; its palette and placed-object lists are kept empty.
// Both are written by the thread that loads a stage while the thread that
// asked for it waits, and by the game thread otherwise.
#include <string>

#include "records/data_file.h"
#include "records/stage_data.h"

// The stage file in use, and the copy that play changes. Threads: StageData
// is written by thLoadStage while the thread that asked for the load waits
// for it (LoadStage), otherwise by the game thread; read by the game thread
// and by the sub-loops while it waits for them.
extern cStageData StageData;
extern cStageData PlayStageData;

// Whether the file at path may be read as a stage: a file that cannot be
// opened passes (its load reports it), as does a file older than version
// 174. A newer file must end with cStageData::END_MARKER; a file that does
// not is reported as damaged in the report log and fails.
bool CheckStageFileEnd(const std::string& path);

// Writes the body of a stage file as a replay keeps it: the settings of
// source (the untouched PlayStageData), the palette and placed objects of
// stage (StageData), the end marker.
void SaveStageFromParts(cDataWriter& out, cStageData& stage, cStageData& source);

// out takes the settings of stage (cStageData::AssignSettings) and is left
// without palette and placed objects, as PlayStageData is kept.
void CopyPlaySettings(cStageData& out, cStageData& stage);
