#pragma once
// Scripted plays that clear the sample game's stages, and a headless run of
// the stage-play screen that plays them through its real states and play
// step, the sample game's definitions and stages in memory.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "files/database.h"
#include "files/frame_tables.h"
#include "files/game_progress.h"
#include "files/system_data.h"
#include "files/world_map.h"
#include "records/palette_data.h"
#include "records/record_context.h"
#include "records/stage_data.h"
#include "stage/objects/effect.h"
#include "stage/scene/stage_host.h"
#include "tests/stage/harness_host.h"

// A script is runs separated by spaces, each the keys held then the frames
// it lasts: L, R, U, D the directions, J button 1 (jump), F button 2 (fire),
// "." nothing held. "R40 RJ12 .5" walks right 40 frames, jumps right for 12
// and stands still for 5.
struct SamplePlayScript {
    const char* sStage;     // the stage file's name, revision included
    const char* sInput;
};

// One script for each story stage (in the order of the road) and each
// challenge stage.
extern const SamplePlayScript SAMPLE_PLAYS[5];

// The (direction, buttons) words of every frame of a script; an unreadable
// run makes the whole script empty.
std::vector<std::pair<uint16_t, uint16_t>> ExpandPlayScript(const std::string& script);

// What a play showed, read from the play state frame by frame.
struct SamplePlayReport {
    int nPlayFrames = 0;        // frames of play up to the clear
    bool bCleared = false;      // the goal was reached and the clear shown
    std::vector<int> HandOvers; // the screens the stage handed over to
    int nDeaths = 0;
    int nRideFrames = 0;        // frames in which a lift on the move carried the hero
    int nShotKills = 0;         // foes that fell to the hero's shots
    int nItemsTaken = 0;        // items gone from the stage at the hero's touch
    std::vector<std::string> Messages;  // texts the game held still for
};

// The sample game in memory and the globals a play changes, put back when it
// ends. The stage-play screen's shell is scripted: nothing is drawn, a wait
// holds the game for no time, and the input comes from the script.
class SampleGame {
public:
    SampleGame();
    ~SampleGame();
    SampleGame(const SampleGame&) = delete;
    SampleGame& operator=(const SampleGame&) = delete;

    // The stage files the generator writes, by name ("Caves.stg4_000").
    const cStageData* Stage(const std::string& name) const;
    // The newest revision of a stage name without revision ("Caves.stg4").
    std::string NewestRevision(const std::string& name) const;
    const cWorldMap& Map() const { return m_Map; }

    // Loads the stage named into StageData and PlayStageData, its path as
    // the game keeps it ("data\stg4\<name>").
    bool Load(const std::string& name);
    // Plays the loaded stage as started with these modes, from the screen's
    // Init through the script; once the script has run out, the confirm
    // button is pressed until the screen hands over. Stops at the first
    // hand-over, or after extraFrames more frames.
    SamplePlayReport Play(const std::string& script, const STAGEMODES& modes, int extraFrames = 600);
    // Called after every frame of play with the frame counted from 0.
    std::function<void(int)> m_lpAfterFrame;
    // Play stops after this many frames of play; 0: no limit.
    int m_nMaxPlayFrames = 0;

private:
    std::vector<std::pair<std::string, cStageData>> m_Stages;
    cWorldMap m_Map;
    cStageData m_SavedStage, m_SavedPlay;
    cGameProgress m_SavedProgress;
    cSystemData m_SavedSystem;
    cPaletteData m_SavedPalette;
    cWorldMap m_SavedMap;
    cRecordContext m_SavedContext;
    cDataBase m_SavedBase;
    FrameTable m_SavedAnimes, m_SavedEffects;
    std::vector<cEffectRun> m_SavedCharaEffects, m_SavedCharaEffectsRev, m_SavedScreenEffects, m_SavedScreenEffectsRev;
    // The scripted shell, the stage's host while the game lives.
    cHarnessHost m_Host;
};

// The modes of a stage played from the title as a stage file (it hands over
// to itself when cleared) and of a story stage entered from the world map.
STAGEMODES StageFileModes();
STAGEMODES StoryModes();
