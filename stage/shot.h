#pragma once
// A shot or sword swing alive in the running stage. For now it holds only the
// stage-object base; the shot code completes it.
#include "stage/stage_object.h"

class cShot : public cStageObject {
public:
};
