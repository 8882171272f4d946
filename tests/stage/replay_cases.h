#pragma once
// Replay files played without a window through the real stage-play screen,
// the sample game's definitions in memory. Beside each replay file
// "<name>.rpl4_708" stands its case file "<name>.txt": the lines above
// "---" say how the play is started, the lines below it what the play
// showed: its running digest every 50 frames and its end (how the screen
// was left, the score, the lives, the progress and the files written).
//
// Start lines:
//   start replay      the title's replay item: the screen plays the file
//                     back itself, and starts it over when it runs out
//   start story       the file's stage entered from the world map, the
//   start challenge   challenge list or the title's stage-file item, the
//   start stagefile   file's input taken as the player's keys
//   pause <frame>     the pause key pressed in that play frame, the menu
//                     then left on its first row (back to the play)
// The play ends at the first hand-over to another screen, at a start over
// (a replay run out, a death played back, a retry), or 600 frames of play
// after the file's input has run out.
#include <functional>
#include <string>
#include <vector>

struct REPLAYCASE {
    std::vector<std::string> Setup;     // the start lines
    std::vector<std::string> Expected;  // the lines below "---"
};

// The case file's two parts; false when it cannot be read or names no start.
bool ReadReplayCase(const std::string& path, REPLAYCASE& out);
// The case file holding the start lines and the lines the play showed.
bool WriteReplayCase(const std::string& path, const REPLAYCASE& replayCase);

// Plays the replay file as the start lines say, in the current folder (the
// files the play writes land there); the lines of what it showed, or one
// line "error ..." when the file or the start lines are not usable.
// afterPlayFrame, when given, runs after every frame of play with the frame
// counted from 0, as SampleGame's does.
std::vector<std::string> PlayReplayCase(const std::string& replayPath, const std::vector<std::string>& setup,
                                        const std::function<void(int)>& afterPlayFrame = nullptr);
