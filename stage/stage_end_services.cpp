#include "stage/stage_end_services.h"

// Empty until the program hands its own over (app/stage_end_services.cpp).
STAGEENDSERVICES StageEndServices = {};

int StageStartKind()
{
    return StageEndServices.lpStartKind ? StageEndServices.lpStartKind() : 0;
}

int StagePlayMode()
{
    return StageEndServices.lpPlayMode ? StageEndServices.lpPlayMode() : 0;
}

int StageRankingOn()
{
    return StageEndServices.lpRankingOn ? StageEndServices.lpRankingOn() : 0;
}

int StageDirectPlay()
{
    return StageEndServices.lpDirectPlay ? StageEndServices.lpDirectPlay() : 0;
}
