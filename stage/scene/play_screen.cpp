// One frame of the running stage: the thirteen steps of the play screen in
// their order. Everything that decides what is shown and what ends is here;
// the pixels go to the painter (none in the headless build).
#include <iterator>

#include "app/base/checked.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/hits/hits.h"
#include "stage/scene/play_screen.h"
#include "stage/scene/screen_effect.h"
#include "stage/objects/stage_containers.h"
#include "stage/scene/stage_scene.h"
#include "stage/scene/stage_host.h"

cPlayScreenPainter* ScreenPainter() { return StageHost().Painter(); }

namespace {

// The auto-scroll wraps the offsets into the layer image's size (the
// painter's; without one they are not wrapped).
double Wrap(double v, int size)
{
    if (size <= 0) return v;
    if (v < 0) v += size;
    else if (v >= size) v -= size;
    return v;
}

} // namespace

void cStageScene::AutoScrollBackground()
{
    cPlayScreenPainter* p = ScreenPainter();
    auto& layers = StageData.m_Backgrounds;
    for (int i = 0; i < static_cast<int>(layers.size()); ++i) {
        cBackgroundData& b = layers[static_cast<size_t>(i)];
        if (b.m_bAutoScrollX)
            b.m_dAutoOffsetX = Wrap(b.m_dAutoOffsetX - b.m_dRateX, p ? p->BackgroundSize(i, 0) : 0);
        if (b.m_bAutoScrollY)
            b.m_dAutoOffsetY = Wrap(b.m_dAutoOffsetY - b.m_dRateY, p ? p->BackgroundSize(i, 1) : 0);
    }
}

void cStageScene::DrawPlayer(int frozen)
{
    if (Player.empty()) return;
    cPlayScreenPainter* p = ScreenPainter();
    cPlayer& player = CheckedAt(Player, P1);
    player.UpdateScreenPos();
    if (!player.m_bDead) {
        player.Draw(p, frozen);
        player.DrawGauges(p);
        return;
    }
    // A frozen frame draws the death but never finishes it: the play step
    // it interrupts goes on with the player as it was.
    if (player.DrawDead(p, frozen) && !frozen) EndPlayerDeath();
}

int cStageScene::DrawCharacter(cNpc& chara, int frozen)
{
    cPlayScreenPainter* p = ScreenPainter();
    if (chara.m_bDead) {
        chara.UpdateScreenPos();
        return chara.DrawDead(p, frozen);
    }
    if (!chara.IsOnScreen()) {
        if (chara.m_bAppeared) {
            chara.UpdateScreenPos();
            chara.CurrentFrame(frozen);
            chara.RunCharaEffect(frozen);
        }
        return 0;
    }
    if (chara.m_Def.m_bTransparent) {
        chara.UpdateScreenPos();
        chara.CurrentFrame(frozen);
        chara.RunCharaEffect(frozen);
        chara.DrawGauges(p);
        return 0;
    }
    chara.UpdateScreenPos();
    chara.Draw(p, frozen);
    chara.DrawGauges(p);
    if (p) p->NpcIcon(chara);
    return 0;
}

void cStageScene::DrawPictures(int layer, int frozen)
{
    cPlayScreenPainter* p = ScreenPainter();
    int index = 0;
    for (auto it = m_PictureList.begin(); it != m_PictureList.end();) {
        if (it->m_nLayer != layer) {
            ++it;
            ++index;
            continue;
        }
        if (it->Step(frozen)) {
            if (PictureGfx.lpRemove) PictureGfx.lpRemove(index);
            it = m_PictureList.erase(it);
            continue;
        }
        if (p) p->Picture(*it, index);
        ++it;
        ++index;
    }
}

void cStageScene::DrawObjects(int frozen)
{
    cPlayScreenPainter* p = ScreenPainter();
    const int layers = StageData.m_bDrawLayers ? 8 : 1;
    for (int layer = 0; layer < layers; ++layer) {
        const bool all = layers == 1;
        if (!Player.empty() && (all || CheckedAt(Player, P1).m_Def.m_cZOrder == layer)) DrawPlayer(frozen);

        if (p) p->BeginBatch(1);
        for (cItem& item : ItemList) {
            if (item.m_bCarried || !(all || item.m_ItemData.m_cZOrder == layer)) continue;
            item.UpdateScreenPos();
            if (!item.IsOnScreen() || item.m_ItemData.m_bHidden) continue;
            const int frame = frozen ? item.m_Anime.Frame() : item.m_Anime.Tick();
            if (p) p->Item(item, frame);
        }
        if (p) p->EndBatch();

        for (auto it = CharaList.begin(); it != CharaList.end();) {
            if (!(all || it->m_Def.m_cZOrder == layer)) {
                ++it;
                continue;
            }
            // Removing is left to frames that advance: a frozen frame runs
            // while the play step that owns the list is suspended.
            if (DrawCharacter(*it, frozen) && !frozen) it = EraseObjectNode(*this, it);
            else ++it;
        }

        if (p) p->BeginBatch(0);
        for (cShot& shot : m_ShotList) {
            if (!(all || shot.m_EdShot.m_cDrawLayer == layer)) continue;
            shot.UpdateScreenPos();
            if (!shot.IsOnScreen() || shot.m_EdShot.m_bHidden) continue;
            const int frame = frozen ? shot.m_Anime.Frame() : shot.m_Anime.Tick();
            if (p) p->Shot(shot, frame);
        }
        if (p) p->EndBatch();
    }
}

void cStageScene::DrawTint(int frozen)
{
    cPlayScreenPainter* p = ScreenPainter();
    int level = 255, red = 0, green = 0, blue = 0;
    if (m_ScreenTint.Step(frozen, p ? p->TintMode() : TINT_BLEND, &level, &red, &green, &blue) && p)
        p->Tint(level, red, green, blue);
}

void cStageScene::DrawPlayScreen(int full, int frozen, int timeSound, int systemText)
{
    cPlayScreenPainter* p = ScreenPainter();
    if (p) p->BeginFrame(m_ScrEffect.m_sEffect != 0);
    AutoScrollBackground();
    if (p) p->BackLayers(0);
    if (!full && m_nState == STAGE_PAUSEMENU && SystemData.m_bPauseHidesStage) {
        if (p) p->BackLayers(1);
        DrawTint(frozen);
        return;
    }
    DrawPictures(0, frozen);
    if (p) p->Blocks(0);
    DrawObjects(frozen);
    if (p) {
        p->Blocks(1);
        p->BackLayers(1);
        if (!Player.empty()) p->ViewPicture(CheckedAt(Player, P1));
    }
    DrawPictures(1, frozen);

    if (p) p->BeginBatch(0);
    for (auto it = m_EffectList.begin(); it != m_EffectList.end();) {
        const int frame = it->Advance(frozen);
        if (frame < 0) {
            it = m_EffectList.erase(it);
            continue;
        }
        if (p) p->Effect(*it, frame);
        ++it;
    }
    if (p) p->EndBatch();

    for (auto it = m_MessageList.begin(); it != m_MessageList.end();) {
        int x = 0, y = 0;
        if (it->Step(*this, frozen)) {
            it = m_MessageList.erase(it);
            continue;
        }
        if (!it->Place(*this, &x, &y)) {
            it->ReleaseSurface();
            it = m_MessageList.erase(it);
            continue;
        }
        if (p) p->Message(*it, x, y);
        ++it;
    }

    RunScreenEffect(*this, frozen);
    if (p) {
        p->StatusBar();
        p->Time(timeSound);
        if (systemText) p->SystemText();
        p->CyclePalette();
    }
    DrawTint(frozen);
}
