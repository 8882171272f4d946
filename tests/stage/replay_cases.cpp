#include "tests/stage/replay_cases.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "app/system/input_runs.h"
#include "app/shell/scene.h"
#include "files/game_progress.h"
#include "files/option_data.h"
#include "files/ranking.h"
#include "files/replay.h"
#include "files/stage_file.h"
#include "files/system_data.h"
#include "stage/script/key_input.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/harness_host.h"
#include "tests/stage/play_digest.h"
#include "tests/stage/sample_plays.h"

namespace {

constexpr int START_REPLAY = 4;
constexpr int BUTTON_CONFIRM_BIT = 1;
// The running digest is written down every this many frames.
constexpr int DIGEST_EVERY = 50;
// Frames of play after the file's input has run out, and frames in all.
constexpr int FRAMES_PAST_INPUT = 600;
constexpr int FRAME_LIMIT = 30000;

struct START {
    const char* sName;
    int nPlayMode, nStartKind, nPreviousScene;
};
const START STARTS[] = {
    {"replay", PLAYMODE_REPLAY, START_REPLAY, SCENE_TITLE},
    {"story", PLAYMODE_STORY, 0, SCENE_WORLDMAP},
    {"challenge", PLAYMODE_CHALLENGE, 2, SCENE_CHALLENGE},
    {"stagefile", PLAYMODE_FREE, 3, SCENE_TITLE},
};

// What the scripted shell gives and takes during one play.
struct SHELL {
    uint16_t wDirection = 0, wButtons = 0;
    int bPause = 0;
    cInputRuns Input;
    std::vector<int> HandOvers;
};
SHELL* lpShell = nullptr;

// The scripted shell's hooks on the host.
void HookShell(cHarnessHost& host)
{
    host.onReadInput = [](uint16_t& d, uint16_t& b) {
        d = lpShell->wDirection;
        b = lpShell->wButtons;
    };
    host.onWriteInput = [](uint16_t d, uint16_t b, int) {
        lpShell->wDirection = d;
        lpShell->wButtons = b;
    };
    host.onRecordInput = [] { lpShell->Input.AddRunFrame(lpShell->wDirection, lpShell->wButtons); };
    host.onKeyDown = [](int key) { return key == STAGEKEY_PAUSE ? lpShell->bPause : 0; };
    host.onHandOver = [](int nextScene) { lpShell->HandOvers.push_back(nextScene); };
    host.onRunPauseLoop = [](int) {};
    // As the sample game's scripted plays: the seed of a new play is fixed,
    // and no stage names a next area.
    host.onNewSeed = cHarnessHost::FixedSeed(12345u);
    host.onFindStageFile = [](std::string&, const std::string&) { return 0; };
}

std::string Hex(uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(value));
    return text;
}

// Every file the play wrote under the current folder, with "\" between its
// folders as the game names it.
std::vector<std::string> FilesWritten()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator("."))
        if (entry.is_regular_file()) {
            std::string name = entry.path().lexically_relative(".").generic_string();
            std::replace(name.begin(), name.end(), '/', '\\');
            names.push_back(name);
        }
    std::sort(names.begin(), names.end());
    return names;
}

// The play's end state, one line a fact.
void AddEndState(std::vector<std::string>& lines)
{
    const cGameProgress& p = GameProgress;
    lines.push_back("score " + std::to_string(p.m_nScore) + " total " + std::to_string(p.m_nTotalScore) + " lives " +
                    std::to_string(p.m_nLives));
    std::string cleared = "cleared";
    for (size_t i = 1; i < p.m_ClearFlags.size(); ++i)
        if (p.m_ClearFlags[i]) cleared += " " + std::to_string(i);
    lines.push_back(cleared);
    lines.push_back("best " + std::to_string(p.GetBestValue(p.m_sStageKey)));
    for (size_t i = 0; i < p.m_ChallengeRecords.size(); ++i)
        if (p.m_ChallengeRecords[i].m_nFirst || p.m_ChallengeRecords[i].m_nSecond)
            lines.push_back("challenge " + std::to_string(i + 1) + " cleared " +
                            std::to_string(p.m_ChallengeRecords[i].m_nFirst) + " best " +
                            std::to_string(p.m_ChallengeRecords[i].m_nSecond));
    for (size_t genre = 0; genre < RankingSet.m_Rankings.size(); ++genre)
        for (const cRankingEntry& e : RankingSet.m_Rankings[genre].m_Entries)
            if (e.m_bUsed)
                lines.push_back("ranking " + std::to_string(genre) + " " + e.m_strName + " " +
                                std::to_string(e.m_nScore));
    for (const std::string& name : FilesWritten()) lines.push_back("written " + name);
}

} // namespace

bool ReadReplayCase(const std::string& path, REPLAYCASE& out)
{
    std::ifstream in(path);
    if (!in) return false;
    out = {};
    bool below = false;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line == "---") {
            below = true;
            continue;
        }
        (below ? out.Expected : out.Setup).push_back(line);
    }
    return std::any_of(out.Setup.begin(), out.Setup.end(),
                       [](const std::string& l) { return l.compare(0, 6, "start ") == 0; });
}

bool WriteReplayCase(const std::string& path, const REPLAYCASE& replayCase)
{
    std::ofstream out(path, std::ios::binary);
    out << "# How the replay beside is played, then (below ---) what the play showed;\n"
           "# see tests/stage/replay_cases.h. Written by the replay tests' record mode.\n";
    for (const std::string& line : replayCase.Setup) out << line << "\n";
    out << "---\n";
    for (const std::string& line : replayCase.Expected) out << line << "\n";
    return static_cast<bool>(out);
}

std::vector<std::string> PlayReplayCase(const std::string& replayPath, const std::vector<std::string>& setup,
                                        const std::function<void(int)>& afterPlayFrame)
{
    const START* start = nullptr;
    std::set<int> pauses;
    for (const std::string& line : setup) {
        std::istringstream words(line);
        std::string key, value;
        words >> key >> value;
        if (key == "start") {
            for (const START& s : STARTS)
                if (value == s.sName) start = &s;
        } else if (key == "pause") {
            pauses.insert(std::atoi(value.c_str()));
        } else {
            return {"error unknown line: " + line};
        }
    }
    if (!start) return {"error no known start"};

    SampleGame game;
    const cOptionData savedOptions = Options;
    const cRankingSet savedRankings = RankingSet;
    // Rankings are entered under a fixed name as the clear is left.
    Options.m_nRankingMode = 3;
    Options.m_sRankingName = "REPLAY";
    for (const char* folder : {"user_data\\story", "user_data\\challenge", "user_data\\free"})
        std::filesystem::create_directories(folder);

    // The title's replay item reads the file into the game; a play from
    // another screen takes the file's stage and progress and its input.
    const bool playback = start->nStartKind == START_REPLAY;
    cReplay input;
    std::vector<std::string> lines;
    if (!LoadReplayFile(playback ? Replay : input, replayPath, StageData, PlayStageData, GameProgress)) {
        Options = savedOptions;
        return {"error the replay file cannot be read"};
    }
    input.Rewind();

    SHELL shell;
    lpShell = &shell;
    const std::vector<const cInputRuns*> savedInputs = KeyInputs;
    KeyInputs.assign(1, &shell.Input);
    cHarnessHost host;
    HookShell(host);
    host.Modes.nPlayMode = start->nPlayMode;
    host.Modes.nStartKind = start->nStartKind;
    host.Modes.nPreviousScene = start->nPreviousScene;
    host.Modes.bRankingOn = SystemData.m_ModeSettings[start->nPlayMode].m_bRanking;
    host.Modes.nNextScene = SCENE_STAGE;

    auto scene = std::make_unique<cStageScene>();
    cStageScene* savedScene = lpStageScene;
    lpStageScene = scene.get();
    cPlayDigest digest;
    std::string end = "end frame limit";
    int frames = 0, playFrames = 0, pastInput = 0, waiting = 0;
    bool inputOut = false;
    while (frames < FRAME_LIMIT) {
        const int before = scene->m_nState;
        const bool playing = before == STAGE_PLAY;
        shell.wDirection = shell.wButtons = 0;
        // Pressed once: the play frame is the same again after the menu.
        // The frame the key is pressed in plays nothing, and the recording
        // of the play holds nothing of it.
        shell.bPause = playing && pauses.erase(playFrames) ? 1 : 0;
        if (shell.bPause) {
        } else if (playing && !playback && !inputOut) {
            inputOut = input.PlayFrame(shell.wDirection, shell.wButtons) != 0;
        } else if (!playing) {
            // Between plays confirm is pressed every other frame, each a new press.
            shell.wButtons = waiting++ % 2 == 0 ? BUTTON_CONFIRM_BIT : 0;
        }
        if (playing && inputOut) ++pastInput;

        scene->Run();
        ++frames;
        digest.AddFrame(*scene);
        if (playing && !shell.bPause) {
            if (afterPlayFrame) afterPlayFrame(playFrames);
            ++playFrames;
        }
        if (frames % DIGEST_EVERY == 0) lines.push_back("digest " + std::to_string(frames) + " " + Hex(digest.Value()));

        const int after = scene->m_nState;
        if (!shell.HandOvers.empty()) {
            end = "end handover " + std::to_string(shell.HandOvers.front());
            break;
        }
        if (after == STAGE_READY && (before == STAGE_PLAY || before == STAGE_RETRY || before == STAGE_PAUSEMENU)) {
            end = "end start over";
            break;
        }
        if (pastInput >= FRAMES_PAST_INPUT) {
            end = "end input run out";
            break;
        }
    }
    lines.push_back("frames " + std::to_string(frames) + " play " + std::to_string(playFrames) + " digest " +
                    Hex(digest.Value()));
    lines.push_back(end);
    AddEndState(lines);

    lpStageScene = savedScene;
    scene.reset();
    KeyInputs = savedInputs;
    lpShell = nullptr;
    Options = savedOptions;
    RankingSet = savedRankings;
    return lines;
}
