#pragma once
// The reading of a RIFF WAVE image, apart from the sound device, so that it
// can be tried on any bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

// The PCM format of a wave, field for field as the sound device takes it.
struct WAVEPCM {
    uint16_t wFormatTag = 0;
    uint16_t nChannels = 0;
    uint32_t nSamplesPerSec = 0;
    uint32_t nAvgBytesPerSec = 0;
    uint16_t nBlockAlign = 0;
    uint16_t wBitsPerSample = 0;
    uint16_t cbSize = 0;
};

// Finds the first RIFF chunk of form WAVE, in it the first "fmt " chunk and
// after that the first "data" chunk (other chunks are stepped over, each
// padded to an even size). False when one is missing, the format is shorter
// than the PCM fields or not PCM, or the samples run past the end of the
// image; samples is then empty.
bool ParseWave(const uint8_t* image, size_t size, WAVEPCM& format, std::vector<uint8_t>& samples);
