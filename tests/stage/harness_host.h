#pragma once
// The tests' stage host: the stage's host while it lives (the one before
// comes back after). Every member does what the test hooked it to; an
// unhooked member is the fallback host's: the headless base by default, or
// the build's own (on Windows the shell's) for a test that plays the real
// thing but for a few members.
//
// The hand-over is the shell's in miniature: ReadModes copies Modes, the
// next screen aside, into the stage's modes (with the shell's fallback: the
// shell's own), and HandOver makes the stage the previous screen of Modes
// before it calls its hook. A hooked ReadModes replaces the copy.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "app/shell/scene.h"
#include "stage/scene/stage_host.h"

class cHarnessHost : public cStageHost {
public:
    explicit cHarnessHost(bool shellFallback = false)
        : m_lpFallback(shellFallback ? &DefaultStageHost() : &m_Base), m_lpBefore(SetStageHost(this))
    {
    }
    ~cHarnessHost() override { SetStageHost(m_lpBefore); }
    cHarnessHost(const cHarnessHost&) = delete;
    cHarnessHost& operator=(const cHarnessHost&) = delete;

    // The shell's hand-over values.
    STAGEMODES Modes;

    std::function<void(STAGEMODES&)> onReadModes;
    std::function<void(int)> onHandOver;
    std::function<void(uint16_t&, uint16_t&)> onReadInput;
    std::function<void(uint16_t, uint16_t, int)> onWriteInput;
    std::function<void()> onRecordInput;
    std::function<void()> onMenuInput;
    std::function<int(int)> onKeyDown;
    std::function<int(int)> onLoadImages;
    std::function<void()> onReleaseImages;
    std::function<int()> onFadeIn;
    std::function<int()> onFadeOut;
    std::function<void()> onFillBlank;
    std::function<void(const cStageWorld&, int, int)> onDrawPicture;
    std::function<void(int, int, int, int)> onDrawMenu;
    std::function<cPlayScreenPainter*()> onPainter;
    std::function<void()> onResetBlending;
    std::function<void(int)> onPlaySE;
    std::function<void(int)> onPlayUserSE;
    std::function<void(int, int)> onRequestBgm;
    std::function<void(int)> onRunPauseLoop;
    std::function<void()> onRunRankingLoop;
    std::function<void(const std::atomic<int>*)> onWaitWhileInactive;
    std::function<void()> onEnterName;
    std::function<void(int)> onSaveReplay;
    std::function<void(const char*)> onErrorBox;
    std::function<int(std::string&, const std::string&)> onFindStageFile;
    std::function<int(const std::string&)> onLoadStage;
    std::function<int(const char*, int)> onStartStageFile;
    std::function<int(int, unsigned)> onCountEvery;
    std::function<int(unsigned&)> onNewSeed;
    std::function<void(int)> onSetUpPlay;
    std::function<void()> onRequestClose;

    void ReadModes(STAGEMODES& modes) override
    {
        if (onReadModes) {
            onReadModes(modes);
            return;
        }
        if (m_lpFallback != &m_Base) {
            m_lpFallback->ReadModes(modes);
            return;
        }
        const int next = modes.nNextScene;
        modes = Modes;
        modes.nNextScene = next;
    }
    void HandOver(int nextScene) override
    {
        Modes.nPreviousScene = SCENE_STAGE;
        if (onHandOver) onHandOver(nextScene);
        else m_lpFallback->HandOver(nextScene);
    }
    void ReadInput(uint16_t& direction, uint16_t& buttons) override
    {
        if (onReadInput) {
            direction = buttons = 0;
            onReadInput(direction, buttons);
        } else {
            m_lpFallback->ReadInput(direction, buttons);
        }
    }
    void WriteInput(uint16_t direction, uint16_t buttons, int numpad) override
    {
        onWriteInput ? onWriteInput(direction, buttons, numpad) : m_lpFallback->WriteInput(direction, buttons, numpad);
    }
    void RecordInput() override { onRecordInput ? onRecordInput() : m_lpFallback->RecordInput(); }
    void MenuInput() override { onMenuInput ? onMenuInput() : m_lpFallback->MenuInput(); }
    int KeyDown(int key) override { return onKeyDown ? onKeyDown(key) : m_lpFallback->KeyDown(key); }
    int LoadImages(int all) override { return onLoadImages ? onLoadImages(all) : m_lpFallback->LoadImages(all); }
    void ReleaseImages() override { onReleaseImages ? onReleaseImages() : m_lpFallback->ReleaseImages(); }
    int FadeIn() override { return onFadeIn ? onFadeIn() : m_lpFallback->FadeIn(); }
    int FadeOut() override { return onFadeOut ? onFadeOut() : m_lpFallback->FadeOut(); }
    void FillBlank() override { onFillBlank ? onFillBlank() : m_lpFallback->FillBlank(); }
    void DrawPicture(const cStageWorld& world, int picture, int value) override
    {
        onDrawPicture ? onDrawPicture(world, picture, value) : m_lpFallback->DrawPicture(world, picture, value);
    }
    void DrawMenu(int firstText, int count, int cursor, int widthCount) override
    {
        onDrawMenu ? onDrawMenu(firstText, count, cursor, widthCount)
                   : m_lpFallback->DrawMenu(firstText, count, cursor, widthCount);
    }
    cPlayScreenPainter* Painter() override { return onPainter ? onPainter() : m_lpFallback->Painter(); }
    void ResetBlending() override { onResetBlending ? onResetBlending() : m_lpFallback->ResetBlending(); }
    void PlaySE(int n) override { onPlaySE ? onPlaySE(n) : m_lpFallback->PlaySE(n); }
    void PlayUserSE(int n) override { onPlayUserSE ? onPlayUserSE(n) : m_lpFallback->PlayUserSE(n); }
    void RequestBgm(int n, int loop) override { onRequestBgm ? onRequestBgm(n, loop) : m_lpFallback->RequestBgm(n, loop); }
    void RunPauseLoop(int handshake) override
    {
        onRunPauseLoop ? onRunPauseLoop(handshake) : m_lpFallback->RunPauseLoop(handshake);
    }
    void RunRankingLoop() override { onRunRankingLoop ? onRunRankingLoop() : m_lpFallback->RunRankingLoop(); }
    void WaitWhileInactive(const std::atomic<int>* quit) override
    {
        onWaitWhileInactive ? onWaitWhileInactive(quit) : m_lpFallback->WaitWhileInactive(quit);
    }
    void EnterName() override { onEnterName ? onEnterName() : m_lpFallback->EnterName(); }
    void SaveReplay(int which) override { onSaveReplay ? onSaveReplay(which) : m_lpFallback->SaveReplay(which); }
    void ErrorBox(const char* text) override { onErrorBox ? onErrorBox(text) : m_lpFallback->ErrorBox(text); }
    int FindStageFile(std::string& path, const std::string& name) override
    {
        return onFindStageFile ? onFindStageFile(path, name) : m_lpFallback->FindStageFile(path, name);
    }
    int LoadStage(const std::string& path) override { return onLoadStage ? onLoadStage(path) : m_lpFallback->LoadStage(path); }
    int StartStageFile(const char* path, int directPlay) override
    {
        return onStartStageFile ? onStartStageFile(path, directPlay) : m_lpFallback->StartStageFile(path, directPlay);
    }
    int CountEvery(int mode, unsigned n) override
    {
        return onCountEvery ? onCountEvery(mode, n) : m_lpFallback->CountEvery(mode, n);
    }
    int NewSeed(unsigned& seed) override { return onNewSeed ? onNewSeed(seed) : m_lpFallback->NewSeed(seed); }
    void SetUpPlay(int frameRate) override { onSetUpPlay ? onSetUpPlay(frameRate) : m_lpFallback->SetUpPlay(frameRate); }
    void RequestClose() override { onRequestClose ? onRequestClose() : m_lpFallback->RequestClose(); }

    // A seed hook giving this seed to every new play.
    static std::function<int(unsigned&)> FixedSeed(unsigned value)
    {
        return [value](unsigned& seed) {
            seed = value;
            return 1;
        };
    }

private:
    cStageHost m_Base;
    cStageHost* m_lpFallback;
    cStageHost* m_lpBefore;
};
