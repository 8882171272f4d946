// A Standard MIDI File converted into the single track the player streams.
#include "app/system/midi_file.h"
#include "fuzz/fuzz_target.h"

void FuzzOne(const uint8_t* data, size_t size)
{
    cMidiFile midi("fuzz.mid", FuzzBytes(data, data + size));
}

std::vector<FuzzSeed> FuzzSeeds()
{
    // Two tracks: a tempo, a note with running status, a text, a system-exclusive message.
    const FuzzBytes song = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0, 96,
        'M', 'T', 'r', 'k', 0, 0, 0, 23,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0x90, 0x3C, 0x64, 0x60, 0x3C, 0x00,
        0x00, 0xFF, 0x01, 0x01, 0x61, 0x00, 0xFF, 0x2F, 0x00,
        'M', 'T', 'r', 'k', 0, 0, 0, 17,
        0x00, 0x91, 0x40, 0x50, 0x81, 0x40, 0x40, 0x00, 0x00, 0xF0, 0x02, 0x43, 0xF7,
        0x60, 0xFF, 0x2F, 0x00};
    return {{"two_tracks.mid", song}};
}
