// Stand-in until replays can be saved from play: the keys do nothing.
#include "stage/replay_keys.h"

int CheckReplayKeys() { return 0; }
