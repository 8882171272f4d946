#pragma once
// Several database records carry a reserved int that editors of versions 151
// and 152 wrote with values of their own; nothing reads it, and records of
// those files come back with it 0.
#include <cstdint>

#include "records/data_record.h"

inline void ForgetOldReserved(int32_t& reserved)
{
    if (nFileVersion < 153) reserved = 0;
}
