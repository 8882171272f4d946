#pragma once
// What the definition records need to know of the database (list lengths and
// the part times of each sword type) taken from the loaded database.
#include "records/record_context.h"

class cDataBase;

// The database's list lengths and sword part times into context.
void SetRecordContext(const cDataBase& db, cRecordContext& context);
