#pragma once
// Characters and shots in the hit layers of the harness's screen, and a
// record of the sounds the stage asks for.
#include <vector>

#include "records/chara_data.h"
#include "records/shot_data.h"
#include "tests/stage/harness_host.h"

class cNpc;
class cShot;

// A character of def at the end of CharaList, active and on screen, in the
// list of its hit layer.
cNpc& HarnessLayeredNpc(cCharaData def, int layer, double left, double top);
// A shot proper with a w x h hit box at (left, top), on screen, in the
// scene's shot list and the list of its hit layer.
cShot& HarnessShot(const cEdShot& record, int layer, double left, double top, int w = 8, int h = 8);

// The system and user sounds requested while it lives.
struct SoundLog {
    SoundLog();
    SoundLog(const SoundLog&) = delete;
    SoundLog& operator=(const SoundLog&) = delete;
    std::vector<int> se, userSe;
    cHarnessHost host;
};
