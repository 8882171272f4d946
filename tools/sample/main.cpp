// The sample game's generator.
//   sample_game write FOLDER   writes the whole game into FOLDER
//   sample_game dump FILE      prints a file of the game as text
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/sample/dump.h"
#include "tools/sample/sample_game.h"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "write") == 0) return WriteSampleGame(argv[2]) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) {
        bool ok = false;
        std::fputs(DumpFile(argv[2], ok).c_str(), stdout);
        return ok ? 0 : 1;
    }
    std::fprintf(stderr, "usage: sample_game write FOLDER\n       sample_game dump FILE\n");
    return 2;
}
