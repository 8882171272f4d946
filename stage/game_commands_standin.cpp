// Stand-ins for the game and display commands until their code exists: each does nothing.
#include "stage/flow_commands.h"

int CmdStageClear(cChara*, const cCommandData*) { return 0; }
int CmdGameWait(cChara*, const cCommandData*) { return 0; }
int CmdMessage(cChara*, const cCommandData*, int) { return 0; }
int CmdWarp(cChara*, const cCommandData*) { return 0; }
int CmdSetTarget(cChara*, const cCommandData*) { return 0; }
int CmdGetItem(cChara*, const cCommandData*) { return 0; }
int CmdChangeGraphic(cChara*, const cCommandData*) { return 0; }
int CmdChangeAnimSet(cChara*, const cCommandData*) { return 0; }
int CmdPlayAnim(cChara*, const cCommandData*) { return 0; }
int CmdPlayEffect(cChara*, const cCommandData*) { return 0; }
int CmdCharaEffect(cChara*, const cCommandData*) { return 0; }
int CmdScreenEffect(cChara*, const cCommandData*) { return 0; }
int CmdShowPicture(cChara*, const cCommandData*) { return 0; }
int CmdScreenColor(cChara*, const cCommandData*) { return 0; }
int CmdChangeBg(cChara*, const cCommandData*) { return 0; }
int CmdPlaySe(cChara*, const cCommandData*) { return 0; }
int CmdPlayBgm(cChara*, const cCommandData*) { return 0; }
