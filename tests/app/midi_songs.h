#pragma once
// Standard MIDI Files written by the MIDI tests, byte by byte.
#include <initializer_list>
#include <vector>

#include "tests/support/test_dir.h"

namespace midisongs {

typedef std::vector<unsigned char> Bytes;

inline Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Header(int format, int tracks, int division)
{
    return Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<unsigned char>(format), 0,
                 static_cast<unsigned char>(tracks), static_cast<unsigned char>(division >> 8),
                 static_cast<unsigned char>(division)};
}

inline Bytes Track(const Bytes& events)
{
    size_t n = events.size();
    Bytes out{'M', 'T', 'r', 'k', static_cast<unsigned char>(n >> 24), static_cast<unsigned char>(n >> 16),
              static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)};
    out.insert(out.end(), events.begin(), events.end());
    return out;
}

// Two tracks: running status, events of both at the same tick, a tempo and a
// text meta event, a system-exclusive message, and tracks that end at
// different ticks (144 and 288). Division 96.
inline Bytes TwoTrackSong()
{
    return Join({Header(1, 2, 96),
                 Track(HexBytes("00 FF5103 07A120"   // tempo 500000 at 0
                                "00 903C64"          // note on at 0
                                "60 3C00"            // running status: note off at 96
                                "00 FF0103 616263"   // text at 96
                                "30 C005"            // program change at 144
                                "00 FF2F00")),       // end at 144
                 Track(HexBytes("00 914050"          // note on at 0, same tick as track 0
                                "8140 4000"          // running status at 192
                                "00 F003 4312F7"     // system exclusive at 192
                                "60 FF2F00"))});     // end at 288
}

// The converted image of TwoTrackSong, typed from the file format by hand.
inline Bytes TwoTrackImage()
{
    return HexBytes("4D546864 00000006 0000 0001 0060 4D54726B 0000002B"
                    "00 FF5103 07A120"
                    "00 903C64"
                    "00 914050"
                    "60 903C00"
                    "00 FF0103 616263"
                    "30 C005"
                    "30 914000"
                    "00 F003 4312F7"
                    "60 FF2F00");
}

} // namespace midisongs
