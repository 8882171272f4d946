#include "stage/play_services.h"

#include "records/command_data.h"
#include "stage/stage_object.h"

#ifdef _WIN32
#include "app/sound.h"

void (*lpPlayUserSE)(int n) = PlayUserSE;
#else
namespace {
void NoSound(int) {}
} // namespace

void (*lpPlayUserSE)(int n) = NoSound;
#endif

void PlayCommandSound(const cStageObject& object, const cCommandData& command)
{
    if (command.m_sSound && (!command.m_bSoundOnScreen || object.m_bOnScreen)) lpPlayUserSE(command.m_sSound);
}
