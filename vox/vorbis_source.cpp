#include "vox/vorbis_source.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>

#include "vox/vox.h"

cVorbisSource::~cVorbisSource() { Close(); }

bool cVorbisSource::Open(const char* path)
{
    Close();
    if (!path || !*path) return false;
    m_lpDecoder = m_Arena.OpenFile(path);
    if (!m_lpDecoder) return false;
    stb_vorbis_info info = stb_vorbis_get_info(m_lpDecoder);
    if (info.channels < 1 || info.sample_rate == 0) {
        Close();
        return false;
    }
    m_nChannels = info.channels > 2 ? 2 : info.channels;
    m_nRate = info.sample_rate;
    // The length comes from the last page's granule position; it also cuts
    // the padding of the last packet, so a loop joins exactly.
    m_nLength = stb_vorbis_stream_length_in_samples(m_lpDecoder);
    m_nPassPosition = 0;
    m_nRepeatsLeft = 0;
    m_bEnded = false;
    return true;
}

void cVorbisSource::Close()
{
    m_Arena.Close(m_lpDecoder);
    m_nChannels = 0;
    m_nRate = 0;
    m_nLength = 0;
    m_nPassPosition = 0;
    m_nRepeatsLeft = 0;
    m_bEnded = true;
}

bool cVorbisSource::Rewind(int repeats)
{
    if (!m_lpDecoder) return false;
    m_nRepeatsLeft = repeats < 0 ? 0 : repeats;
    m_nPassPosition = 0;
    m_bEnded = !stb_vorbis_seek_start(m_lpDecoder);
    return !m_bEnded;
}

int cVorbisSource::Read(short* out, int frames)
{
    int done = 0;
    while (m_lpDecoder && !m_bEnded && done < frames) {
        int want = frames - done;
        if (m_nLength != 0 && m_nPassPosition + static_cast<unsigned>(want) > m_nLength)
            want = static_cast<int>(m_nLength - m_nPassPosition);
        int got = 0;
        if (want > 0)
            got = stb_vorbis_get_samples_short_interleaved(m_lpDecoder, m_nChannels, out + done * m_nChannels,
                                                           want * m_nChannels);
        if (got > 0) {
            done += got;
            m_nPassPosition += static_cast<unsigned>(got);
            continue;
        }
        // The end of a pass. A pass that gave nothing would repeat for ever
        // without a sound, so it ends the tune as well.
        if (m_nRepeatsLeft == 0 || m_nPassPosition == 0 || !stb_vorbis_seek_start(m_lpDecoder)) {
            m_bEnded = true;
            break;
        }
        if (m_nRepeatsLeft != VOX_LOOP_ENDLESS) --m_nRepeatsLeft;
        m_nPassPosition = 0;
    }
    return done;
}
