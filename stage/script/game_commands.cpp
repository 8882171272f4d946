// The game and display commands: stage clear, game wait, message, warp,
// target choice, item pick-up, graphic, animation set, animation, effect,
// character effect, screen effect, picture, screen colour, background,
// sound effect and music.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "app/base/checked.h"
#include "app/base/log.h"
#include "files/database.h"
#include "files/frame_tables.h"
#include "files/game_progress.h"
#include "files/stage_file.h"
#include "files/world_map.h"
#include "records/command_data.h"
#include "records/palette_data.h"
#include "records/record_list.h"
#include "stage/hits/chara_search.h"
#include "stage/script/flow_commands.h"
#include "stage/script/game_commands.h"
#include "stage/script/messages_links.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

namespace {

enum { HIT_LAYERS = 8 };

// Parameter i; one the list does not reach reads 0.
int P(const cCommandData* def, size_t i)
{
    return i < def->m_Params.size() ? def->m_Params[i] : 0;
}

// a x percent / 100, halves away from zero.
int Percent(int a, int percent)
{
    return static_cast<int>(std::lround(static_cast<double>(a) * percent / 100.0));
}

cPlayer* Player1() { return Player.empty() ? nullptr : &Player[P1]; }

// Takes out the element at address item if the list still holds it, with
// its surface (a message's); the pause loop's drawing may have ended it.
void RemoveMessage(cStageWorld& world, const cMessage* item)
{
    auto& list = world.m_MessageList;
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (&*it != item) continue;
        it->ReleaseSurface();
        list.erase(it);
        return;
    }
}

// The index of the first element carrying the ID, or -1.
template <class List>
int FindById(const List& list, int id)
{
    int i = 0;
    for (const auto& e : list) {
        if (e.m_nExtra1 != 0 && e.m_nExtra2 == id) return i;
        ++i;
    }
    return -1;
}

void RemovePictureAt(cStageWorld& world, int index)
{
    auto& list = world.m_PictureList;
    list.erase(std::next(list.begin(), index));
    if (PictureGfx.lpRemove) PictureGfx.lpRemove(index);
}

} // namespace

void PlacePoint(const cStageWorld& world, const cChara* chara, int choice, int cellsX, int cellsY, int pixelsX, int pixelsY,
                int width, int height, double* x, double* y)
{
    const cScrollAxis& ax = world.m_ScrollX;
    const cScrollAxis& ay = world.m_ScrollY;
    *x = ax.m_dPos;
    *y = ay.m_dPos;
    const cChara* centre = choice == PLACE_HERO_CENTRE ? Player1() : chara;
    switch (choice) {
    case PLACE_SCREEN_CENTRE:
        *x = ax.m_dPos + 320 - width / 2 + pixelsX;
        *y = ay.m_dPos + 240 - height / 2 + pixelsY;
        break;
    case PLACE_CHARA_CENTRE:
    case PLACE_HERO_CENTRE:
        if (!centre) break;
        *x = centre->ScreenCentreX() + ax.m_dPos - width / 2 + pixelsX;
        *y = centre->ScreenCentreY() + ay.m_dPos - height / 2 + pixelsY;
        break;
    case PLACE_SCREEN_CELLS:
        *x = ax.m_dPos + cellsX * 32 + pixelsX;
        *y = ay.m_dPos + cellsY * 32 + pixelsY;
        break;
    case PLACE_STAGE_CELLS:
        *x = (cellsX + ax.m_nMargin) * 32 + pixelsX;
        *y = (cellsY + ay.m_nMargin) * 32 + pixelsY;
        break;
    default:
        break;
    }
}

int CmdStageClear(cStageWorld& world, cChara*, const cCommandData* def)
{
    switch (P(def, 0)) {
    case 0: world.m_nNextLinkedStage = GameProgress.m_nArea + 1; break;
    case 1: world.m_nNextLinkedStage = P(def, 1); break;
    case 2: world.m_nNextLinkedStage = 0; break;
    default: break;
    }
    if (P(def, 2)) {
        // Inside the map: at most its last cell, at least its first.
        GameProgress.m_nMapX = std::max(0, std::min(P(def, 3), WorldMap.m_nWidth - 1));
        GameProgress.m_nMapY = std::max(0, std::min(P(def, 4), WorldMap.m_nHeight - 1));
        GameProgress.m_nMapFacing = 0;
    }
    if (P(def, 5)) {
        GameProgress.m_bNextStart = 1;
        GameProgress.m_nNextStartX = P(def, 6);
        GameProgress.m_nNextStartY = P(def, 7);
        int dir = P(def, 8);
        if (dir == 2) dir = Player1() ? Player1()->m_nFacing : 0;
        GameProgress.m_nNextStartDir = dir;
    } else {
        GameProgress.m_bNextStart = 0;
    }
    return 1;
}

int CmdGameWait(cStageWorld& world, cChara*, const cCommandData* def)
{
    int w = P(def, 0) * 6;
    cMessage blank;
    blank.Set(MSGMODE_NONE, nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, SHOW_TIMED, w, 0, 0, 1, 0, 0, 0,
              0, 0, 0, 0);
    world.m_MessageList.push_back(blank);
    const cMessage* added = &world.m_MessageList.back();
    SetModeTimer(world, 0, 0, w, 0);
    StageHost().RunPauseLoop(0);
    RemoveMessage(world, added);
    return 0;
}

int CmdMessage(cStageWorld& world, cChara* chara, const cCommandData* def, int afterKeyMessage)
{
    if (world.m_bQuit) return 0;
    const int placement = P(def, 0), timeMode = P(def, 6), frames = P(def, 7) * 6;
    const int waits = P(def, 8), escapes = P(def, 9), useId = P(def, 12), id = P(def, 13);
    const int erase = P(def, 15);
    int anchor = 0;
    if (placement >= MSGPLACE_ABOVE_HERO && placement <= MSGPLACE_CENTRE_HERO)
        anchor = Player1() ? Player1()->m_nRef : 0;
    else if (placement >= MSGPLACE_ABOVE_SELF && placement <= MSGPLACE_CENTRE_SELF)
        anchor = chara ? chara->m_nRef : 0;
    auto setUp = [&](cMessage& m, int keepSurface) {
        m.Set(MSGMODE_TEXT, def->m_sText.c_str(), 0, 0, 0, placement, P(def, 1), P(def, 2),
              P(def, 3), P(def, 4), P(def, 5), P(def, 10), timeMode, frames, waits, anchor,
              afterKeyMessage, escapes, P(def, 11), P(def, 16), P(def, 14), useId, id, keepSurface);
    };

    auto& list = world.m_MessageList;
    const cMessage* shown = nullptr;
    int found = useId ? FindById(list, id) : -1;
    if (found >= 0) {
        auto it = std::next(list.begin(), found);
        if (erase) {
            it->ReleaseSurface();
            list.erase(it);
            return 0;
        }
        std::string text = def->m_sText;
        if (escapes) ExpandMessageText(text);
        int w, h;
        MeasureMessageText(text, &w, &h);
        if (w == it->m_nWidth && h == it->m_nHeight) {
            setUp(*it, 1);
        } else {
            it->ReleaseSurface();
            it = list.erase(it);
            it = list.insert(it, cMessage());
            setUp(*it, 0);
        }
        shown = &*it;
    } else {
        if (erase) return 0;
        list.emplace_back();
        setUp(list.back(), 0);
        shown = &list.back();
    }

    if (!waits) return 0;
    if (timeMode == SHOW_UNTIL_KEY) {
        SetModeTimer(world, 1, 1, 0, afterKeyMessage);
        if (!afterKeyMessage) StageHost().PlaySE(11);
    } else if (timeMode == SHOW_TIMED) {
        SetModeTimer(world, 1, 0, frames, 0);
    } else {
        // Shown until the stage ends: there is no time to wait for.
        return 0;
    }
    StageHost().RunPauseLoop(1);
    RemoveMessage(world, shown);
    return 0;
}

int CmdWarp(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    if (!def->m_pMove) return 0;
    const cEdMove& move = *def->m_pMove;
    const double oldLeft = chara->m_dLeft, oldTop = chara->m_dTop;
    const int instance = chara->m_sParamIndex;
    const cScrollAxis& ax = world.m_ScrollX;
    const cScrollAxis& ay = world.m_ScrollY;
    const double halfW = (chara->m_dRight - chara->m_dLeft) / 2, halfH = (chara->m_dBottom - chara->m_dTop) / 2;
    int toScreen = 0;

    auto moveBy = [&](double fromLeft, double fromTop, int dir) {
        double d = (move.m_sDistanceStep * instance + move.m_sDistance) * 16.0;
        double diag = d / std::sqrt(2.0);
        double dx = 0, dy = 0;
        switch (dir) {
        case 2: dx = -d; break;
        case 3: dx = d; break;
        case 6: dy = -d; break;
        case 7: dy = d; break;
        case 8: dx = -diag; dy = -diag; break;
        case 9: dx = -diag; dy = diag; break;
        case 10: dx = diag; dy = -diag; break;
        case 11: dx = diag; dy = diag; break;
        default: break;
        }
        chara->SetPosition(fromLeft + dx, chara->m_dTop);
        ClampChara(chara, 0);
        chara->SetPosition(chara->m_dLeft, fromTop + dy);
        ClampChara(chara, 1);
    };

    switch (move.m_cMode) {
    case 0:
        moveBy(chara->m_dLeft, chara->m_dTop, ResolveCharaDirection(chara, move.m_cDirection));
        break;
    case 1: {
        cChara* target = chara->m_lpTarget;
        if (!target) return 0;
        double cx = (target->m_dLeft + target->m_dRight) / 2, cy = (target->m_dTop + target->m_dBottom) / 2;
        moveBy(cx - halfW, cy - halfH, ResolveCharaDirection(target, move.m_cDirection));
        break;
    }
    case 2: {
        int sx = chara->m_nFacing && move.m_bMirrorX ? -1 : 1;
        int sy = chara->m_nFacing && move.m_bMirrorY ? -1 : 1;
        int cellsX = move.m_sTargetX * sx, cellsY = move.m_sTargetY * sy;
        int dotsX = move.m_sTargetDotX * sx, dotsY = move.m_sTargetDotY * sy;
        switch (move.m_cCoordKind) {
        case 0:
            chara->SetPosition(chara->m_dLeft + cellsX * 32 + dotsX, chara->m_dTop);
            ClampChara(chara, 0);
            chara->SetPosition(chara->m_dLeft, chara->m_dTop + cellsY * 32 + dotsY);
            ClampChara(chara, 1);
            break;
        case 1:
            SetCharaBlockX(chara, cellsX);
            chara->SetPosition(chara->m_dLeft + dotsX, chara->m_dTop);
            ClampChara(chara, 0);
            SetCharaBlockY(chara, cellsY);
            chara->SetPosition(chara->m_dLeft, chara->m_dTop + dotsY);
            ClampChara(chara, 1);
            break;
        default:
            chara->SetPosition(cellsX * 32 + dotsX + ax.m_dPos, chara->m_dTop);
            ClampChara(chara, 0);
            chara->SetPosition(chara->m_dLeft, cellsY * 32 + dotsY + ay.m_dPos);
            ClampChara(chara, 1);
            toScreen = 1;
            break;
        }
        break;
    }
    default:
        return 0;
    }
    if (!chara->IsInsideBounds(0) || IsCharaBlocked(chara)) {
        chara->SetPosition(oldLeft, oldTop);
        return 0;
    }
    if (!chara->m_bNoGravity) chara->m_dVy = 0;
    if (toScreen) HoldCharaScreenPosition(chara);
    return 0;
}

int CmdSetTarget(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    const int choice = P(def, 0), layer = P(def, 1), allLayers = P(def, 2);
    // A single hit layer outside the eight: nothing to search.
    if ((choice == 2 || choice == 3) && !allLayers && (layer < 0 || layer >= HIT_LAYERS)) return 0;
    if (chara->m_lpTarget) RemovePtr(chara->m_lpTarget->m_Followers, chara);
    CHARAFILTER filter;
    filter.bById = P(def, 8);
    filter.nId = static_cast<uint8_t>(P(def, 9));
    filter.bSkipRef = P(def, 4);
    filter.nRef = chara->m_nRef;
    filter.bSkipInvincible1 = P(def, 5);
    filter.bSkipInvincible2 = P(def, 6);
    filter.bSkipBlockChara = P(def, 7);
    const CharaPtrList empty;
    auto layerList = [&](int i) -> const CharaPtrList& {
        return i >= 0 && i < static_cast<int>(world.m_CharaLayers.size()) ? world.m_CharaLayers[i] : empty;
    };
    cChara* target = chara->m_lpTarget;
    switch (choice) {
    case 0: target = Player1(); break;
    case 1: target = chara; break;
    case 2: {
        const int x = chara->ScreenCentreX(), y = chara->ScreenCentreY(), mode = P(def, 3);
        if (!allLayers) {
            target = FindNearestChara(x, y, layerList(layer), mode, filter);
            break;
        }
        CharaPtrList nearest;
        for (int i = 0; i < HIT_LAYERS; ++i) {
            if (layerList(i).empty()) continue;
            if (cChara* c = FindNearestChara(x, y, layerList(i), mode, filter)) nearest.push_back(c);
        }
        target = FindNearestChara(x, y, nearest, mode, filter);
        break;
    }
    case 3:
        if (!allLayers) {
            target = FindFirstChara(layerList(layer), filter);
            break;
        }
        target = nullptr;
        for (int i = 0; i < HIT_LAYERS && !target; ++i) target = FindFirstChara(layerList(i), filter);
        break;
    default:
        break;
    }
    chara->m_lpTarget = target;
    if (target) {
        auto& f = target->m_Followers;
        if (std::find(f.begin(), f.end(), chara) == f.end()) f.push_back(chara);
    }
    return 0;
}

int CmdGetItem(cStageWorld& world, cChara*, const cCommandData* def)
{
    const int palette = P(def, 0);
    // Only the common palette (0) and the stage's (1) hold items.
    if (palette != 0 && palette != 1) return 0;
    cPlayer* player = Player1();
    if (!player) return 0;
    std::vector<cItemData>& items = palette == 0 ? CommonPalette.m_Items : StageData.m_Items;
    if (items.empty()) return 0;
    const cItemData& item = CheckedAt(items, P(def, 1));
    world.m_nStageRequest = RunPlayerItemCommands(world, player, item.m_Commands);
    return 0;
}

int CmdChangeGraphic(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    chara->m_Def.m_cGraphicKind = static_cast<int8_t>(P(def, 0));
    chara->m_Def.m_sGraphic = static_cast<int16_t>(P(def, 1));
    chara->m_nGraphic = chara->m_Def.m_sGraphic;
    chara->m_Def.m_sChipOffset = static_cast<int16_t>(P(def, 2));
    return 0;
}

int CmdChangeAnimSet(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    SetCharaBasicAnimSet(chara, P(def, 0), 0);
    return 0;
}

int CmdPlayAnim(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    int sequence = P(def, 0);
    if (sequence < 0 || sequence >= static_cast<int>(FrameTables.AnimeFrameTable.size())) {
        ReportBadIndex('V', sequence, static_cast<int>(FrameTables.AnimeFrameTable.size()), static_cast<int>(sizeof(FrameSequence)));
        sequence = 0;
    }
    StartCharaOverlay(chara, sequence, CurrentFlowSerial(world));
    return 0;
}

int CmdPlayEffect(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    if (world.m_bQuit) return 0;
    int16_t entry = static_cast<int16_t>(P(def, 0));
    if (entry == 0) {
        world.m_EffectList.clear();
        return 0;
    }
    if (entry < 0 || entry >= static_cast<int>(DataBase.m_Effect.size())) {
        ReportBadIndex('V', entry, static_cast<int>(DataBase.m_Effect.size()), static_cast<int>(sizeof(cEffectData)));
        entry = 0;
    }
    const cEffectData& data = CheckedAt(DataBase.m_Effect, entry);
    const int w = Percent(data.m_nCellWidth, P(def, 6)), h = Percent(data.m_nCellHeight, P(def, 6));
    double x, y;
    PlacePoint(world, chara, P(def, 1), P(def, 2), P(def, 3), P(def, 4), P(def, 5), w, h, &x, &y);
    cEffect effect;
    effect.SetFromCommand(entry, x, y, w, h, P(def, 7));
    world.m_EffectList.push_back(effect);
    if (P(def, 7)) {
        SetModeTimer(world, 2, 0, EffectLengthFrames(entry), 0);
        StageHost().RunPauseLoop(0);
    }
    return 0;
}

int CmdCharaEffect(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    chara->m_CharaEffect.StartChara(static_cast<int16_t>(P(def, 0)), P(def, 1), P(def, 2));
    return 0;
}

int CmdScreenEffect(cStageWorld& world, cChara*, const cCommandData* def)
{
    cEffectRun& run = world.m_ScrEffect;
    run.StartScr(static_cast<int16_t>(P(def, 0)), P(def, 1), P(def, 2));
    if (run.m_sEffect == 0) StageHost().ResetBlending();
    return 0;
}

int CmdShowPicture(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    if (world.m_bQuit) return 0;
    const int picture = static_cast<uint16_t>(P(def, 0));
    const int useId = P(def, 12), id = P(def, 13), scale = P(def, 7), timeMode = P(def, 8);
    const int frames = P(def, 9) * 6, waits = P(def, 10);
    auto& list = world.m_PictureList;
    if (picture == 0 && !useId) {
        while (!list.empty()) RemovePictureAt(world, static_cast<int>(list.size()) - 1);
        return 0;
    }
    int found = useId ? FindById(list, id) : -1;
    if (useId && picture == 0) {
        if (found >= 0) RemovePictureAt(world, found);
        return 0;
    }
    // The new picture takes the place of the one with its ID, else goes last.
    const int index = found >= 0 ? found : static_cast<int>(list.size());
    int pictureEntry = picture;
    if (pictureEntry >= static_cast<int>(DataBase.m_Picture.size())) {
        ReportBadIndex('V', pictureEntry, static_cast<int>(DataBase.m_Picture.size()), static_cast<int>(sizeof(cPictureData)));
        pictureEntry = 0;
    }
    const std::string& file = CheckedAt(DataBase.m_Picture, pictureEntry).m_sFile;
    int imageW = 0, imageH = 0;
    if (!PictureGfx.lpLoad || !PictureGfx.lpLoad(file.c_str(), index, scale != 100, &imageW, &imageH)) {
        // A picture that cannot be loaded changes nothing; play goes on.
        ReportLog("%s 読み込み失敗！", file.c_str());
        return 0;
    }
    // The loaded surface went in before the old one's, which now follows it.
    if (found >= 0) {
        auto old = std::next(list.begin(), found);
        list.erase(old);
        if (PictureGfx.lpRemove) PictureGfx.lpRemove(found + 1);
    }
    const int w = Percent(imageW, scale), h = Percent(imageH, scale);
    double x, y;
    PlacePoint(world, chara, P(def, 1), P(def, 2), P(def, 3), P(def, 4), P(def, 5), w, h, &x, &y);
    cPicture shown;
    shown.Set(picture, x, y, w, h, P(def, 11), P(def, 6), scale, timeMode, frames, waits, useId, id);
    list.insert(std::next(list.begin(), index), shown);

    if (!waits) return 0;
    if (timeMode == SHOW_UNTIL_KEY)
        SetModeTimer(world, 3, 1, 0, 0);
    else if (timeMode == SHOW_TIMED)
        SetModeTimer(world, 3, 0, frames, 0);
    else
        return 0;   // shown until the stage ends: there is no time to wait for
    StageHost().RunPauseLoop(0);
    // The picture put in (at its index, which the wait leaves as it is).
    if (index < static_cast<int>(list.size())) RemovePictureAt(world, index);
    return 0;
}

int CmdScreenColor(cStageWorld& world, cChara*, const cCommandData* def)
{
    SetScreenTint(world.m_ScreenTint, *def);
    return 0;
}

int CmdChangeBg(cStageWorld& world, cChara*, const cCommandData* def)
{
    const int number = P(def, 0);
    auto& layers = StageData.m_Backgrounds;
    if (number < 1 || number > static_cast<int>(layers.size())) return 0;
    cBackgroundData& layer = layers[number - 1];
    switch (P(def, 1)) {
    case 0: layer.m_bShown = 1; break;
    case 1: layer.m_bShown = 0; break;
    case 2: layer.m_bShown = !layer.m_bShown; break;
    default: break;
    }
    return 0;
}

int CmdPlaySe(cStageWorld& world, cChara* chara, const cCommandData* def)
{
    if (def->m_bSoundOnScreen && chara && !chara->m_bOnScreen) return 0;
    StageHost().PlayUserSE(static_cast<int16_t>(P(def, 0)));
    return 0;
}

int CmdPlayBgm(cStageWorld& world, cChara*, const cCommandData* def)
{
    StageHost().RequestBgm(P(def, 0), P(def, 1));
    return 0;
}
