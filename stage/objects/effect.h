#pragma once
// Effects of the running stage.
//
// cEffectRun: the run of one character effect (a character's m_CharaEffect)
// or of the screen effect (the scene's m_ScrEffect): a value moved from a
// start to an end by a fixed step a frame, so that one pass lasts the
// entry's run time (p0, tenths of a second) at 60 frames a second; played
// normally, reversed or back and forth, once or looping. Every entry's run
// is prepared once at start-up (the templates), so a start is a copy.
//
// cEffect: an animation of the effect database played at a stage position.
#include <cstdint>
#include <vector>

#include "stage/objects/anime_seq.h"
#include "stage/objects/hit_rect.h"

class cEffectKindData;
struct DDSURFACEDATA;
class cStageWorld;

// Play modes of a run.
enum { EFFECTRUN_NORMAL = 0, EFFECTRUN_REVERSED = 1, EFFECTRUN_BACK_AND_FORTH = 2 };

class cEffectRun {
public:
    int16_t m_sEffect = 0;                      // database entry; 0 none
    const cEffectKindData* m_lpData = nullptr;  // the entry's record (the reversed copy's when reversed); not owned
    int m_nMode = 0;
    int m_bLoop = 0;
    int m_bReversed = 0;                        // the pass now running is the reversed one
    // Steps taken in the pass now running; a pass whose step cannot reach
    // its end is over after the run time's frames.
    int m_nCount = 0;
    // The value part. Character runs use start, end, value, step and the
    // work ints; screen runs value, work, step and the work ints.
    int m_nStart = 0;
    int m_nEnd = 0;
    double m_dValue = 0;                        // the progress the drawing reads
    double m_dWork = 0;
    double m_dStep = 0;
    int m_nWork1 = 0;
    int m_nWork2 = 0;

    // Build a template in place from entry e of the character (screen) list,
    // or of its reversed copy when reversed is set; the reversed set-up
    // exchanges the entry's start and end in that copy.
    void InitCharaTemplate(int entry, int reversed);
    void InitScrTemplate(int entry, int reversed);
    void StartChara(int16_t entry, int mode, int loop);
    void StartScr(int16_t entry, int mode, int loop);
    // The next pass: back-and-forth runs turn round.
    void RestartChara();
    void RestartScr();
    // One frame; 1 when the run is over.
    int StepChara();
    int StepScr(int start, int end, double step);
    // The record and the value part of a template.
    void CopyTemplate(const cEffectRun& source);

private:
    int PassOver(int reachedEnd, double step);
};

// The prepared runs, element i for entry i of the list; read-only once built.
extern std::vector<cEffectRun> CharaEffectTemplates;
extern std::vector<cEffectRun> CharaEffectTemplatesRev;
extern std::vector<cEffectRun> ScrEffectTemplates;
extern std::vector<cEffectRun> ScrEffectTemplatesRev;

// From the database's character (screen) effect list and its reversed copy
// (cDataBase::CopyReversedEffectLists): one element per entry of the list.
void BuildCharaEffectTemplates(std::vector<cEffectRun>& normal, std::vector<cEffectRun>& reversed);
void BuildScrEffectTemplates(std::vector<cEffectRun>& normal, std::vector<cEffectRun>& reversed);

class cEffect {
public:
    int16_t m_sEffect = 0;
    double m_dX = 0, m_dY = 0;      // stage position of the top left
    int m_nWidth = 0, m_nHeight = 0;
    int m_bStretch = 0;             // drawn scaled from the entry's cell size
    cAnimeSeq m_Anime;
    int m_bWaited = 0;              // the game waits for it: it plays on while the screen is frozen

    void SetFromCommand(int16_t entry, double x, double y, int width, int height, int waited);
    // Centred on the overlap of the hit boxes a (the hit character's) and b
    // (the attacker's), scattered by the game's random numbers.
    void SetFromHit(int16_t entry, const HITRECT& a, const HITRECT& b, signed char factor);
    int BuildFrames(int16_t entry);
    // The frame to draw this frame, or -1 when the effect is over (an entry
    // without frames, or the end of its frames).
    int Advance(int frozen);
    // Draws the effect; 1 when it is over and is to be removed.
    int Draw(const cStageWorld& world, DDSURFACEDATA* target, int frozen);
    // Draws frame f of the effect where it stands.
    void DrawFrame(const cStageWorld& world, DDSURFACEDATA* target, int f);
};

// The frames of effect entry e's animation, in frames of 60 a second.
int EffectLengthFrames(int entry);
