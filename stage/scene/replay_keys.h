#pragma once
// F1 and F2 save the replay of the play so far while a stage runs.

// Checked once a frame by the stage-play states and the pause loop. F1 saves
// the current play's replay, F2 the previous play's; nothing while a replay
// plays back (modes) or recording is off. 1 when the save dialog was shown in this
// call (the frame is spent: nothing more is done or drawn in it), whether a
// file was then written, refused or the dialog cancelled; an empty
// recording is refused with a sound, at most once every 60 frames while the
// key is held.
struct STAGEMODES;
int CheckReplayKeys(const STAGEMODES& modes);
