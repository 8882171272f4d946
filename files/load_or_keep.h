#pragma once
// Loading a record all or nothing: the file is read into a copy, and the copy
// replaces the record only when the whole read succeeded, so a damaged file
// leaves every value as it was.
#include <utility>

#include "records/data_record.h"

// read(copy) reads the file form into the copy and finishes it (upgrades,
// repairs); false when the file is damaged. Returns what read returned.
template <class T, class Read>
bool LoadOrKeep(T& record, Read read)
{
    T loaded(record);
    const bool ok = read(loaded);
    if (ok) record = std::move(loaded);
    record.RegisterFields(RecordContext.nDataVersion);
    return ok;
}
