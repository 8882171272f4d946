// Without libFuzzer: "--seeds FOLDER" writes the target's seeds there;
// otherwise every file named, and every file in every folder named, is fed
// to the target once. A folder that does not exist holds no inputs.
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_target.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--seeds") {
        fs::create_directories(argv[2]);
        for (const FuzzSeed& seed : FuzzSeeds())
            WriteFuzzFile((fs::path(argv[2]) / seed.name).string(), seed.bytes.data(), seed.bytes.size());
        return 0;
    }
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        fs::path named(argv[i]);
        std::error_code error;
        if (fs::is_directory(named, error)) {
            for (const auto& entry : fs::directory_iterator(named)) {
                if (!entry.is_regular_file()) continue;
                FuzzBytes bytes = ReadFuzzFile(entry.path().string());
                std::printf("replay %s\n", entry.path().string().c_str());
                FuzzOne(bytes.data(), bytes.size());
                ++inputs;
            }
        } else if (fs::exists(named, error)) {
            FuzzBytes bytes = ReadFuzzFile(named.string());
            FuzzOne(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return 0;
}
