// Sound-effect WAV files, read as the sound effects read them.
#include "app/system/wave_file.h"
#include "fuzz/fuzz_target.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    WAVEPCM format;
    std::vector<uint8_t> samples;
    ParseWave(data, size, format, samples);
}

namespace {

void Put32(FuzzBytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(FuzzBytes& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutId(FuzzBytes& out, const char* id) { out.insert(out.end(), id, id + 4); }

} // namespace

std::vector<FuzzSeed> FuzzSeeds()
{
    // 8-bit mono at 22050 Hz, a short ramp, with an odd-sized chunk before
    // the format.
    const uint32_t samples = 64;
    FuzzBytes wave;
    PutId(wave, "RIFF");
    Put32(wave, 4 + 12 + 24 + 8 + samples);
    PutId(wave, "WAVE");
    PutId(wave, "LIST");
    Put32(wave, 3);
    wave.insert(wave.end(), {'a', 'b', 'c', 0});
    PutId(wave, "fmt ");
    Put32(wave, 16);
    Put16(wave, 1);
    Put16(wave, 1);
    Put32(wave, 22050);
    Put32(wave, 22050);
    Put16(wave, 1);
    Put16(wave, 8);
    PutId(wave, "data");
    Put32(wave, samples);
    for (uint32_t i = 0; i < samples; ++i) wave.push_back(static_cast<uint8_t>(128 + i));
    return {{"ramp.wav", wave}};
}
