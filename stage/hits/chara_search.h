#pragma once
// Searches over a list of characters (one hit layer's list of the scene).
#include <list>

class cChara;
class cStageObject;

// Filters of the searches; each applies only when switched on.
struct CHARAFILTER {
    int bById = 0;            // only characters whose character ID is nId
    int nId = 0;
    int bSkipRef = 0;         // skip the character whose creator reference is nRef
    int nRef = 0;
    int bSkipInvincible1 = 0; // skip characters with invincibility option 1
    int bSkipInvincible2 = 0; // ... option 2
    int bSkipBlockChara = 0;  // skip block characters
};

// Search modes of FindNearestChara.
enum { NEAREST_ONSCREEN_FIRST = 0, NEAREST_ALL = 1, NEAREST_ONSCREEN = 2 };

using CharaPtrList = std::list<cChara*>;

// The first character in list order that passes the filters and is alive.
cChara* FindFirstChara(const CharaPtrList& list, const CHARAFILTER& filter);
// The active, live character nearest to (x, y) on the screen (the sum of the
// distances on the two axes from the centre of its screen rectangle); the
// earlier of two at the same distance. Mode 0 looks among the off-screen
// characters only when no on-screen one qualifies.
cChara* FindNearestChara(int x, int y, const CharaPtrList& list, int mode, const CHARAFILTER& filter);
// The nearest character to the object's own screen centre that is not
// unhittable; on screen only when the stage limits hits to the screen.
cChara* FindNearestToCentre(const cStageObject& self, const CharaPtrList& list);

// The first player whose creator reference is ref, else the first other
// character with it, else null.
cChara* FindCharaByRef(int ref);
