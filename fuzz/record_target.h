#pragma once
// What the record-file targets share: the input stored as a file and read
// through the record's own LoadFile, and seeds saved by the record's Save.
#include <string>

#include "fuzz/fuzz_target.h"

template <class T>
void FuzzRecordFile(const uint8_t* data, size_t size)
{
    PrepareRecordLoading();
    const std::string path = FuzzScratchPath("record.dat");
    WriteFuzzFile(path, data, size);
    T record;
    record.LoadFile(path);
}

template <class T>
FuzzSeed RecordSeed(const char* name, T& record)
{
    PrepareRecordLoading();
    const std::string path = FuzzScratchPath("seed.dat");
    record.SaveFile(path);
    return {name, ReadFuzzFile(path)};
}
