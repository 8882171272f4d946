// libFuzzer's entry into a target.
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzOne(data, size);
    return 0;
}
