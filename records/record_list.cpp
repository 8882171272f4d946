#include "records/record_list.h"

void ClearContainerHeader(CONTAINERHEADER& slot)
{
    slot.sKind = 0;
    slot.lpRecord = nullptr;
    slot.nWork[0] = 0;
    slot.nWork[1] = 0;
}
