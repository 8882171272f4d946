#include "stage/stage_sound.h"

void (*lpStageUserSE)(int number) = nullptr;
