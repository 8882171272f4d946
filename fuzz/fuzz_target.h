#pragma once
// A fuzz target feeds one input to one loader. Each target file defines both
// functions below; the same file builds into a libFuzzer program (fuzz_main.cpp)
// and into a replayer of kept inputs and writer of seeds (replay_main.cpp).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using FuzzBytes = std::vector<uint8_t>;

struct FuzzSeed {
    std::string name;
    FuzzBytes bytes;
};

// Loads data as the loader would load a file holding it. Must not keep state
// from one input to the next.
void FuzzOne(const uint8_t* data, size_t size);
// Small valid files made by the game's own writers.
std::vector<FuzzSeed> FuzzSeeds();

// A path inside this process's own scratch folder.
std::string FuzzScratchPath(const char* name);
// Writes bytes to path; aborts when that fails (the run would prove nothing).
void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size);
// The file's bytes; empty when it cannot be read.
FuzzBytes ReadFuzzFile(const std::string& path);
// Sets the data versions and the record context as start-up leaves them.
void PrepareRecordLoading();
