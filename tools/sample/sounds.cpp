#include "tools/sample/sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/sample/le_bytes.h"

namespace {
// One voice of a sound: a run of notes, each a wave form, a start and end
// pitch in hertz, a length in milliseconds and a loudness 0..1.
enum { WAVE_SQUARE, WAVE_TRIANGLE, WAVE_NOISE, WAVE_SINE };
struct cNote {
    int nWave;
    double dFrom, dTo;
    int nMs;
    double dLoud;
};

// A fixed linear congruential generator keeps the noise the same on every run.
struct cNoise {
    uint32_t s = 12345;
    double Next()
    {
        s = s * 1103515245u + 12345u;
        return ((s >> 16) & 0x7FFF) / 16383.5 - 1.0;
    }
};

std::vector<double> Render(const std::vector<cNote>& notes)
{
    std::vector<double> out;
    cNoise noise;
    double phase = 0, held = 0;
    for (const cNote& n : notes) {
        const int count = n.nMs * SOUND_RATE / 1000;
        for (int i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / count;
            const double f = n.dFrom + (n.dTo - n.dFrom) * t;
            phase += f / SOUND_RATE;
            phase -= std::floor(phase);
            double v = 0;
            switch (n.nWave) {
            case WAVE_SQUARE: v = phase < 0.5 ? 1 : -1; break;
            case WAVE_TRIANGLE: v = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase; break;
            case WAVE_SINE: v = std::sin(2 * std::numbers::pi * phase); break;
            default:
                // Noise held for one cycle of the pitch, so that the pitch
                // still colours it.
                if (phase < f / SOUND_RATE) held = noise.Next();
                v = held;
                break;
            }
            // A short attack and a falling tail keep notes from clicking.
            const double attack = std::min(1.0, i / (0.004 * SOUND_RATE));
            const double env = attack * (1.0 - 0.7 * t);
            out.push_back(v * env * n.dLoud);
        }
    }
    return out;
}

std::vector<uint8_t> To8Bit(const std::vector<double>& v)
{
    std::vector<uint8_t> out;
    out.reserve(v.size());
    for (double x : v) out.push_back(static_cast<uint8_t>(std::lround(128 + std::clamp(x, -1.0, 1.0) * 100)));
    return out;
}

// Note frequencies of the equal-tempered scale, by semitones from A4.
double Tone(int semis) { return 440.0 * std::pow(2.0, semis / 12.0); }

// A run of short square notes, the common shape of the menu sounds.
std::vector<cNote> Arp(std::initializer_list<int> semis, int ms, double loud = 0.5, int wave = WAVE_SQUARE)
{
    std::vector<cNote> out;
    for (int s : semis) out.push_back({wave, Tone(s), Tone(s), ms, loud});
    return out;
}

cSound Make(const char* name, const std::vector<cNote>& notes)
{
    return {std::string("wave/") + name + ".wav", To8Bit(Render(notes))};
}


std::vector<uint8_t> WavHead(uint32_t dataBytes, int bits)
{
    std::vector<uint8_t> out;
    const uint32_t align = static_cast<uint32_t>(bits / 8);
    for (char c : std::string("RIFF")) out.push_back(static_cast<uint8_t>(c));
    PutU32(out, 36 + dataBytes + (dataBytes & 1));
    for (char c : std::string("WAVEfmt ")) out.push_back(static_cast<uint8_t>(c));
    PutU32(out, 16);
    PutU16(out, 1);                    // PCM
    PutU16(out, 1);                    // mono
    PutU32(out, SOUND_RATE);
    PutU32(out, SOUND_RATE * align);
    PutU16(out, align);
    PutU16(out, static_cast<uint32_t>(bits));
    for (char c : std::string("data")) out.push_back(static_cast<uint8_t>(c));
    PutU32(out, dataBytes);
    return out;
}
}  // namespace

const char* const SYSTEM_SOUND_NAMES[17] = {
    "Cursor", "Decide", "Cancel", "Buzzer", "Pause", "Save", "Ranking", "Damage", "Miss",
    "Defeat", "Bounce", "MessageOpen", "MessageClose", "TimeWarning", "Goal", "OneUp", "NameEntry",
};

std::vector<cSound> MakeSystemSounds()
{
    const std::vector<cNote> notes[17] = {
        Arp({12}, 30, 0.35),
        Arp({7, 19}, 50),
        Arp({7, 0}, 50),
        {{WAVE_SQUARE, 110, 100, 180, 0.5}},
        Arp({19, 12, 19}, 45, 0.4),
        Arp({12, 16, 19, 24}, 60, 0.4, WAVE_TRIANGLE),
        Arp({16, 21}, 60, 0.4, WAVE_TRIANGLE),
        {{WAVE_SQUARE, 600, 150, 160, 0.5}, {WAVE_NOISE, 800, 400, 60, 0.3}},
        {{WAVE_TRIANGLE, Tone(7), Tone(-17), 700, 0.7}},
        {{WAVE_NOISE, 3000, 600, 200, 0.6}},
        {{WAVE_SQUARE, 200, 700, 120, 0.4}},
        Arp({24, 28}, 40, 0.3, WAVE_TRIANGLE),
        Arp({19}, 40, 0.3, WAVE_TRIANGLE),
        Arp({24, 24}, 70, 0.4),
        Arp({12, 16, 19, 24, 19, 24}, 110, 0.5, WAVE_TRIANGLE),
        Arp({16, 19, 28, 24, 26, 31}, 70, 0.45),
        Arp({12, 19, 24}, 80, 0.45, WAVE_TRIANGLE),
    };
    std::vector<cSound> out;
    for (int i = 0; i < 17; ++i) out.push_back(Make(SYSTEM_SOUND_NAMES[i], notes[i]));
    return out;
}

const char* const ACTION_SOUND_NAMES[3] = {"Coin", "Shot", "Jump"};
const char* const TUNE_FILE = "bgm/Theme.ogg";

std::vector<cSound> MakeActionSounds()
{
    return {
        Make(ACTION_SOUND_NAMES[0], Arp({23, 28}, 70, 0.45)),
        Make(ACTION_SOUND_NAMES[1], {{WAVE_SQUARE, 1400, 500, 90, 0.35}}),
        Make(ACTION_SOUND_NAMES[2], {{WAVE_SQUARE, 300, 800, 140, 0.35}}),
    };
}

std::vector<int16_t> MakeTune()
{
    // A cheerful eight-bar loop in C major: melody over a walking bass, 132
    // beats a minute, quavers. -100 is a rest.
    static const int MELODY[] = {
        3, 7, 10, 7, 12, 10, 7, 10,   8, 12, 15, 12, 17, 15, 12, 15,
        5, 8, 12, 8, 15, 12, 8, 12,   10, 14, 17, 14, 19, 17, 14, -100,
        3, 7, 10, 15, 14, 10, 7, 10,  8, 12, 15, 20, 19, 15, 12, 15,
        5, 8, 12, 17, 15, 12, 10, 8,  7, 10, 14, 10, 15, -100, 15, -100,
    };
    static const int BASS[] = {-21, -9, -16, -9, -13, -1, -8, -1, -11, 1, -4, 1, -14, -2, -9, -2};
    const int quaver = SOUND_RATE * 60 / 132 / 2;
    const int notes = static_cast<int>(sizeof(MELODY) / sizeof(MELODY[0]));
    std::vector<double> mix(static_cast<size_t>(notes) * quaver, 0.0);
    auto add = [&](const std::vector<double>& v, size_t at) {
        for (size_t i = 0; i < v.size() && at + i < mix.size(); ++i) mix[at + i] += v[i];
    };
    for (int k = 0; k < notes; ++k) {
        if (MELODY[k] != -100) {
            add(Render({{WAVE_SQUARE, Tone(MELODY[k]), Tone(MELODY[k]), 1000 * quaver / SOUND_RATE * 9 / 10, 0.22}}),
                static_cast<size_t>(k) * quaver);
        }
        if (k % 2 == 0) {
            const int b = BASS[(k / 2) % 16];
            add(Render({{WAVE_TRIANGLE, Tone(b), Tone(b), 1000 * 2 * quaver / SOUND_RATE, 0.35}}), static_cast<size_t>(k) * quaver);
        }
        if (k % 4 == 2) add(Render({{WAVE_NOISE, 6000, 6000, 40, 0.12}}), static_cast<size_t>(k) * quaver);
    }
    std::vector<int16_t> out;
    out.reserve(mix.size());
    for (double x : mix) out.push_back(static_cast<int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 30000)));
    return out;
}

std::vector<uint8_t> EncodeWav8(const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> out = WavHead(static_cast<uint32_t>(samples.size()), 8);
    out.insert(out.end(), samples.begin(), samples.end());
    if (samples.size() % 2) out.push_back(0x80);  // chunks are padded to even sizes
    return out;
}

std::vector<uint8_t> EncodeWav16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> out = WavHead(static_cast<uint32_t>(samples.size() * 2), 16);
    for (int16_t s : samples) PutU16(out, static_cast<uint16_t>(s));
    return out;
}
