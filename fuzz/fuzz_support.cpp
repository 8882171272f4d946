#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "fuzz/fuzz_target.h"
#include "records/data_record.h"
#include "records/record_context.h"

std::string FuzzScratchPath(const char* name)
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz-scratch-" + std::to_string(getpid());
        std::string command = "mkdir -p '" + dir + "'";
        if (std::system(command.c_str()) != 0) std::abort();
        return dir;
    }();
    return folder + "/" + name;
}

void WriteFuzzFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    if (std::fclose(file) != 0) std::abort();
}

FuzzBytes ReadFuzzFile(const std::string& path)
{
    FuzzBytes bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    unsigned char block[16384];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.insert(bytes.end(), block, block + n);
    std::fclose(file);
    return bytes;
}

void PrepareRecordLoading()
{
    RecordContext.nDataVersion = DATA_VERSION;
    cRecordContext& c = RecordContext;
    // Small database lists, so that references are kept and repaired alike.
    c.nAnimeSets = c.nAnimes = c.nEffects = c.nCharaEffects = c.nScrEffects = 4;
    c.nPictures = c.nSounds = c.nBgms = c.nCharaImages = 4;
    c.SwordFrames = {{2, 3}, {1}};
}
