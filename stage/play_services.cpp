#include "stage/play_services.h"

#include "app/log.h"
#include "records/command_data.h"
#include "stage/stage_object.h"

#ifdef _WIN32
#include "app/input.h"
#include "app/sound.h"

cInput* PlayerInput(int n)
{
    if (n >= 0 && n < static_cast<int>(Inputs.size())) return &Inputs[n];
    ReportLog("Player input %d is outside the %d input records; the character gets no input", n,
              static_cast<int>(Inputs.size()));
    return nullptr;
}

void (*lpPlayUserSE)(int n) = PlayUserSE;
#else
cInput* PlayerInput(int) { return nullptr; }

namespace {
void NoSound(int) {}
} // namespace

void (*lpPlayUserSE)(int n) = NoSound;
#endif

void PlayCommandSound(const cStageObject& object, const cCommandData& command)
{
    if (command.m_sSound && (!command.m_bSoundOnScreen || object.m_bOnScreen)) lpPlayUserSE(command.m_sSound);
}
