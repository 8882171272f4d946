#pragma once
// A play-screen painter that writes down what a frame asks to be drawn,
// one entry a call ("frame" for each frame begun).
#include <string>
#include <vector>

#include "stage/objects/chara.h"
#include "stage/scene/play_screen.h"
#include "stage/scene/screen_tint.h"

// Writes down what the frame asks to be drawn.
class RecordingPainter : public cPlayScreenPainter {
public:
    std::vector<std::string> Log;
    int nTintMode = TINT_BLEND;

    void BeginFrame(int virtualBackBuffer) override { Log.push_back(virtualBackBuffer ? "frame virtual" : "frame"); }
    void BackLayers(int key) override { Log.push_back("back " + std::to_string(key)); }
    int BackgroundSize(int, int) override { return 0; }
    void Blocks(int layer) override { Log.push_back("blocks " + std::to_string(layer)); }
    void BeginBatch(int) override {}
    void EndBatch() override {}
    void Chara(cChara& chara, int frame) override { Log.push_back("chara " + std::to_string(chara.m_nRef)); }
    void Gauge(cChara&, int sp) override { Log.push_back(sp ? "sp" : "hp"); }
    void NpcIcon(cNpc&) override {}
    void PlayerBoxes(cPlayer&) override {}
    void ViewPicture(cPlayer&) override {}
    void Item(cItem&, int) override { Log.push_back("item"); }
    void Shot(cShot&, int) override { Log.push_back("shot"); }
    void Picture(cPicture&, int index) override { Log.push_back("picture " + std::to_string(index)); }
    void Effect(cEffect&, int) override { Log.push_back("effect"); }
    void Message(cMessage&, int, int) override { Log.push_back("message"); }
    void ScreenEffect(int kind, const cEffectKindData&, const cEffectRun&) override
    {
        Log.push_back("screen effect " + std::to_string(kind));
    }
    void EndVirtualBackBuffer() override { Log.push_back("end virtual"); }
    void StatusBar() override { Log.push_back("status"); }
    void Time(int) override { Log.push_back("time"); }
    void SystemText() override { Log.push_back("system text"); }
    void CyclePalette() override {}
    int TintMode() override { return nTintMode; }
    void Tint(int level, int, int, int) override { Log.push_back("tint " + std::to_string(level)); }
    void ReleaseStageSurfaces() override {}
    void CreateWorkSurfaces(int, int, int, int) override {}

    int Count(const std::string& entry) const
    {
        int n = 0;
        for (const std::string& s : Log) n += s == entry;
        return n;
    }
};
