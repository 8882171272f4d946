#pragma once
// What the movement commands offer besides their executors and set-up
// functions (stage/script/flow_commands.h).

// The direction code (2..11) of a held input direction (0..8; 0 none, which
// means the facing); 0 for several keys that form no direction (9).
int ButtonFromChoice(int inputDirection, int facing);
