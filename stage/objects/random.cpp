#include "stage/objects/random.h"

#include <cstdint>

namespace {
thread_local uint32_t RandomState = 1;
}

void GameSrand(unsigned seed) { RandomState = seed; }

int GameRand()
{
    RandomState = RandomState * 214013u + 2531011u;
    return static_cast<int>((RandomState >> 16) & 0x7FFF);
}

unsigned GameRandState() { return RandomState; }
