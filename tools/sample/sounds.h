#pragma once
// The sample game's sounds, synthesised: the 17 system sounds, the sounds of
// the game's own actions, and the tune (written as a WAV that the build
// turns into Ogg Vorbis).
#include <cstdint>
#include <string>
#include <vector>

struct cSound {
    std::string sPath;             // relative to the game folder
    std::vector<uint8_t> Samples;  // 8-bit unsigned mono at SOUND_RATE
};

constexpr int SOUND_RATE = 22050;

// The file names of the 17 system sounds under "wave/", without ".wav", in
// the order of their numbers (cursor, confirm, cancel, ...).
extern const char* const SYSTEM_SOUND_NAMES[17];

// The file names of the sounds the stages play, under "wave/" without
// ".wav", in the order of their sound database entries from entry 1.
extern const char* const ACTION_SOUND_NAMES[3];
// The tune as the game plays it; the generator writes its source beside it
// with the ending ".wav" and the build encodes it.
extern const char* const TUNE_FILE;

// The system sounds in their order, named as above.
std::vector<cSound> MakeSystemSounds();
// The sounds the stages play: a coin, a shot, a jump.
std::vector<cSound> MakeActionSounds();
// The tune: 16-bit signed mono samples at SOUND_RATE.
std::vector<int16_t> MakeTune();

// The bytes of a PCM WAV file: mono, SOUND_RATE, 8 or 16 bits.
std::vector<uint8_t> EncodeWav8(const std::vector<uint8_t>& samples);
std::vector<uint8_t> EncodeWav16(const std::vector<int16_t>& samples);
