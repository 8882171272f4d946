#pragma once
// The sound of a command: requested through the stage's sound request when
// the command has one and either it sounds everywhere or the object is on
// screen.
class cCommandData;
class cStageObject;

void PlayCommandSound(const cStageObject& object, const cCommandData& command);
