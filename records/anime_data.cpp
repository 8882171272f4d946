#include "records/anime_data.h"

#include "records/record_list.h"

const char* const cAnimeSetData::BasicAnimeNames[BASIC_ANIMES] = {"立ち", "立ち移動", "飛行", "飛行移動"};

cAnimeFrameData::cAnimeFrameData()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_nTime = 1;
}

void cAnimeFrameData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nCell);
    RegisterInt(&m_nTime);
    RegisterInt(&m_bKey);
}

cAnimeData::cAnimeData()
{
    Reset();
}

void cAnimeData::RegisterFields(int version)
{
    ClearFieldTables();
    if (version >= 55) {
        RegisterShort(&m_sKept1);
        RegisterByte(&m_cKept);
        RegisterShort(&m_sKept2);
    }
    RegisterString(&m_sName);
}

void cAnimeData::Reset()
{
    RegisterFields(DATA_VERSION);
    Clear();
    // Set by hand: a clear made before start-up registers without them.
    m_sKept1 = 0;
    m_cKept = 1;
    m_sKept2 = 0;
    ResetRecords(m_Frames, 1);
}

bool cAnimeData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadFrames(m_Frames, in);
    return in.Ok();
}

void cAnimeData::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Frames, out);
}

bool ReadFrames(std::vector<cAnimeFrameData>& frames, cDataReader& in)
{
    return ReadRecords(frames, in);
}

cAnimeSetData::cAnimeSetData()
{
    Reset();
}

void cAnimeSetData::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nInvincibleOffset);
    RegisterInt(&m_nBlockOffset);
    if (version >= 119) RegisterInt(&m_nFlyingOffset);
    RegisterString(&m_sName);
}

void cAnimeSetData::Reset()
{
    RegisterFields(DATA_VERSION);
    Clear();
    m_nInvincibleOffset = 4;
    m_nBlockOffset = 8;
    m_nFlyingOffset = 0;
    ResetRecords(m_Animes, BASIC_ANIMES);
    for (int i = 0; i < BASIC_ANIMES; ++i) m_Animes[i].m_sName = BasicAnimeNames[i];
}

bool cAnimeSetData::Load(cDataReader& in)
{
    cDataRecord::Load(in);
    ReadRecords(m_Animes, in);
    // Sets of older editors had room for the four basic animations only, and
    // the flying ones went under other names.
    if (nFileVersion < 128) {
        m_Animes.resize(BASIC_ANIMES);
        m_Animes[ANIME_FLY].m_sName = BasicAnimeNames[ANIME_FLY];
        m_Animes[ANIME_FLY_MOVE].m_sName = BasicAnimeNames[ANIME_FLY_MOVE];
    }
    return in.Ok();
}

void cAnimeSetData::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteRecords(m_Animes, out);
}
