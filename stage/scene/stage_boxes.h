#pragma once
// The message boxes that the running stage's code raises for mistakes in a
// game's data (a bad expression, a missing bracket). On Windows they are the
// shell's error boxes (the program hands lpStageBoxShow over); the headless
// build has no window, so the text goes to the report log. A test points lpStageBoxSink at its own recorder to see
// every box, debug boxes included, whatever the trace setting.
#include "app/base/format.h"

// Receives the text of each box; debugOnly is 1 for a box shown only while
// tracing is enabled. Null: the platform's own boxes.
extern void (*lpStageBoxSink)(const char* text, int debugOnly);
// Shows a box that no sink took (app/stage_services.cpp on Windows). Null:
// the text goes to the report log.
extern void (*lpStageBoxShow)(const char* text);

// An error box (caption "エラー").
void StageErrorBox(const char* format, ...) GAME_PRINTF(1, 2);
// An error box shown only while the trace log is enabled.
void StageDebugBox(const char* format, ...) GAME_PRINTF(1, 2);
