#include "stage/play_services.h"

#include "records/command_data.h"
#include "stage/stage_object.h"
#include "stage/stage_host.h"

void PlayCommandSound(const cStageObject& object, const cCommandData& command)
{
    if (command.m_sSound && (!command.m_bSoundOnScreen || object.m_bOnScreen)) StageHost().PlayUserSE(command.m_sSound);
}
