#include "stage/script/command_sound.h"

#include "records/command_data.h"
#include "stage/objects/stage_object.h"
#include "stage/scene/stage_host.h"

void PlayCommandSound(const cStageObject& object, const cCommandData& command)
{
    if (command.m_sSound && (!command.m_bSoundOnScreen || object.m_bOnScreen)) StageHost().PlayUserSE(command.m_sSound);
}
