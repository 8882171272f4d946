#pragma once
// The play screen's pixels. One frame of the running stage is walked in one
// place (cStageScene::DrawPlayScreen): it advances the animations, effects
// and timers of what it shows, removes what has ended and finishes the
// dying player, and hands every picture to draw to the painter. The Windows
// build's painter draws with the graphics library (cStageHost::Painter);
// the headless build has none, so its frames advance without drawing.
class cChara;
class cEffect;
class cEffectRun;
class cEffectKindData;
class cItem;
class cMessage;
class cNpc;
class cPicture;
class cPlayer;
class cShot;

class cPlayScreenPainter {
public:
    virtual ~cPlayScreenPainter() = default;
    // Tile sheets lost with the device are rebuilt; with virtualBackBuffer
    // the frame is drawn into the virtual back buffer (a screen effect runs).
    virtual void BeginFrame(int virtualBackBuffer) = 0;
    virtual void BackLayers(int key) = 0;
    // The width (height) of background layer i's image; 0 when it has none.
    virtual int BackgroundSize(int layer, int vertical) = 0;
    virtual void Blocks(int layer) = 0;
    // A sprite batch; sorted batches draw the mark sheet last.
    virtual void BeginBatch(int sorted) = 0;
    virtual void EndBatch() = 0;
    // The character's chip in frame through its character effect's drawing,
    // and its mark.
    virtual void Chara(cChara& chara, int frame) = 0;
    // The HP or SP gauge as it stands, before it is stepped.
    virtual void Gauge(cChara& chara, int sp) = 0;
    virtual void NpcIcon(cNpc& chara) = 0;
    virtual void PlayerBoxes(cPlayer& player) = 0;
    virtual void ViewPicture(cPlayer& player) = 0;
    virtual void Item(cItem& item, int frame) = 0;
    virtual void Shot(cShot& shot, int frame) = 0;
    // The picture at index of the picture list.
    virtual void Picture(cPicture& picture, int index) = 0;
    virtual void Effect(cEffect& effect, int frame) = 0;
    // The message at its place (x, y).
    virtual void Message(cMessage& message, int x, int y) = 0;
    // The screen effect's picture of this frame, before the run is stepped.
    virtual void ScreenEffect(int kind, const cEffectKindData& entry, const cEffectRun& run) = 0;
    // The virtual back buffer is given up (the screen effect has ended).
    virtual void EndVirtualBackBuffer() = 0;
    virtual void StatusBar() = 0;
    virtual void Time(int timeSound) = 0;
    virtual void SystemText() = 0;
    virtual void CyclePalette() = 0;
    // How the display tints (TINT_*), and the tint at level in the colour.
    virtual int TintMode() = 0;
    virtual void Tint(int level, int red, int green, int blue) = 0;
    // The picture and message surfaces released between stages.
    virtual void ReleaseStageSurfaces() = 0;
    // The sight mask's surfaces for player 1's sight range and shape.
    virtual void CreateWorkSurfaces(int mask, int window, int sight, int shape) = 0;
};

// The painter in use, or null (nothing is drawn).
cPlayScreenPainter* ScreenPainter();

