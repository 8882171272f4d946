#pragma once
// A running effect (cEffect) and a run of effect frames (cEffectRun, also
// the running screen effect). The effect code completes them.
class cEffect {
public:
};

class cEffectRun {
public:
};
