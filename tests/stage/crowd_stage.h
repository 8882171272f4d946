#pragma once
// A crowded stage for timing the play step and checking that it repeats: 200
// flying characters of the computer's side on two hit layers over a floor
// 100 cells wide, at hit-check level 10 (ten sub-steps a frame), and 200 shots
// of the player's that neither fall nor leave the stage.
class cStageScene;

// Sets the common palette, the stage and its play copy.
void SetUpCrowdStage();
// Adds the shots to a scene that plays the stage; the count placed.
int PlaceCrowdShots(cStageScene& scene);
