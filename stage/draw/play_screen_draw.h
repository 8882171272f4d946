#pragma once
// The play screen's painter of the graphics build: everything a frame of the
// running stage shows, drawn into the back buffer.
class cPlayScreenPainter;
extern cPlayScreenPainter& GfxPainter;
// The screen's images when a stage starts (the stage shell's lpLoadImages):
// all 1 the stage-play set of fixed surfaces, the tile sheets and the
// character, sword and effect images; 0 only the backgrounds. 0 on failure.
int LoadStageImages(int all);
// What LoadStageImages and the stage's set-ups made, released (the stage
// shell's lpReleaseImages, when the stage-play screen goes).
void ReleaseStageImages();
