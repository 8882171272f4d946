#include "stage/stage_services.h"

// Empty until the program hands its own over (app/stage_services.cpp).
STAGESERVICES StageServices = {};

void StagePlaySE(int n)
{
    if (StageServices.lpPlaySE) StageServices.lpPlaySE(n);
}

void StagePlayUserSE(int n)
{
    if (StageServices.lpPlayUserSE) StageServices.lpPlayUserSE(n);
}

void StageRequestBgm(int n, int loop)
{
    if (StageServices.lpRequestBgm) StageServices.lpRequestBgm(n, loop);
}

void StageRunPauseLoop(int handshake)
{
    if (StageServices.lpRunPauseLoop) StageServices.lpRunPauseLoop(handshake);
}

void StageResetBlending()
{
    if (StageServices.lpResetBlending) StageServices.lpResetBlending();
}
