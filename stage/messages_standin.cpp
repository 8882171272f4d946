// Stand-ins for what the game and display commands need of code that others
// are building: each does the least that keeps play going.
#include "stage/messages_links.h"

#include "stage/play_links.h"
#include "stage/stage_containers.h"

cChara* FindCharaByRef(int ref)
{
    for (cPlayer& p : Player)
        if (p.m_nRef == ref) return &p;
    for (cNpc& c : CharaList)
        if (c.m_nRef == ref) return &c;
    return nullptr;
}

void SetCharaBasicAnimSet(cChara*, int, int) {}

int ResolveCharaDirection(cChara* chara, int choice)
{
    switch (choice) {
    case 0: return chara->m_nFacing ? 3 : 2;
    case 1: return chara->m_nFacing ? 2 : 3;
    case 4: return chara->m_nFacing ? 7 : 6;
    case 5: return chara->m_nFacing ? 6 : 7;
    default: return choice;
    }
}

void SetCharaBlockX(cChara* chara, int column)
{
    double x = (column + (lpScrollX ? lpScrollX->m_nMargin : 0)) * 32 + 0.5;
    chara->SetPosition(x, chara->m_dTop);
}

void SetCharaBlockY(cChara* chara, int row)
{
    double y = (row + (lpScrollY ? lpScrollY->m_nMargin : 0)) * 32;
    chara->SetPosition(chara->m_dLeft, y);
}

int ClampChara(cChara* chara, int axis) { return axis ? chara->ClampY(2) : chara->ClampX(2); }

void HoldCharaScreenPosition(cChara*) {}

void StartCharaOverlay(cChara*, int, int) {}

int CurrentFlowSerial() { return 0; }

int RunPlayerItemCommands(cPlayer*, const std::vector<cCommandData>&) { return 0; }

bool IsCharaBlocked(cChara*) { return false; }

void SetScreenTint(cScreenTint&, const cCommandData&) {}
