// Stand-ins for what the expression evaluator uses of code that is still
// being built elsewhere: the sight mask's surfaces.
#include "stage/stage_scene.h"

int cStageScene::CreateWorkSurfaces(int, int) { return 0; }
