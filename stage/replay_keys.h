#pragma once
// F1 and F2 save the replay of the play so far while a stage runs.

// Checked once a frame by the stage-play states and the pause loop: 1 when a
// replay was saved in this call.
int CheckReplayKeys();
