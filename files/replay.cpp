#include "files/replay.h"

#include <memory>
#include <new>

#include "app/base/log.h"
#include "files/stage_file.h"
#include "records/data_file.h"
#include "records/palette_data.h"

cReplay Replay;
cReplay LastReplay;

namespace {

void ReadShortVector(std::vector<int16_t>& v, cDataReader& in)
{
    uint32_t n = 0;
    if (!in.ReadCount(n, 2)) return;
    std::vector<int16_t> values(n);
    for (int16_t& value : values)
        if (!in.ReadI16(value)) return;
    v.swap(values);
}

void WriteShortVector(const std::vector<int16_t>& v, cDataWriter& out)
{
    out.WriteU32(static_cast<uint32_t>(v.size()));
    for (int16_t value : v) out.WriteI16(value);
}

// Whether a stream can be played: one run for every value, none below 1.
bool StreamIsWhole(const std::vector<int16_t>& values, const std::vector<int32_t>& runs)
{
    if (values.size() != runs.size()) return false;
    for (int32_t run : runs)
        if (run < 1) return false;
    return true;
}

void RecordWord(std::vector<int16_t>& values, std::vector<int32_t>& runs, uint16_t word)
{
    const int16_t value = static_cast<int16_t>(word);
    // A run that has reached the largest count goes on as a new run of the
    // same value, which plays back the same.
    if (!values.empty() && values.back() == value && runs.back() < INT32_MAX) {
        ++runs.back();
        return;
    }
    values.push_back(value);
    runs.push_back(1);
}

uint16_t PlayWord(const std::vector<int16_t>& values, const std::vector<int32_t>& runs, int32_t& pos,
                  int32_t& frames)
{
    const uint16_t word = static_cast<uint16_t>(values[pos]);
    if (++frames >= runs[pos]) {
        frames = 0;
        ++pos;
    }
    return word;
}

} // namespace

cReplay::cReplay()
{
    RegisterFields(DATA_VERSION);
    Clear();
}

cReplay& cReplay::operator=(const cReplay& other)
{
    if (this != &other) {
        cDataRecord::operator=(other);
        Copy(other);
        m_nDirPos = other.m_nDirPos;
        m_nButtonPos = other.m_nButtonPos;
        m_nDirFrames = other.m_nDirFrames;
        m_nButtonFrames = other.m_nButtonFrames;
    }
    return *this;
}

void cReplay::RegisterFields(int version)
{
    ClearFieldTables();
    RegisterInt(&m_nSeed);
}

bool cReplay::Load(cDataReader& in)
{
    cReplay read;
    read.cDataRecord::Load(in);
    ReadShortVector(read.m_DirValues, in);
    ReadShortVector(read.m_ButtonValues, in);
    in.ReadIntVector(read.m_DirRuns);
    in.ReadIntVector(read.m_ButtonRuns);
    if (!in.Ok()) return false;
    if (!StreamIsWhole(read.m_DirValues, read.m_DirRuns) || !StreamIsWhole(read.m_ButtonValues, read.m_ButtonRuns))
        return in.Fail("the replay's input runs do not match its input values");
    Copy(read);
    Rewind();
    return true;
}

void cReplay::Save(cDataWriter& out)
{
    cDataRecord::Save(out);
    WriteShortVector(m_DirValues, out);
    WriteShortVector(m_ButtonValues, out);
    out.WriteIntVector(m_DirRuns);
    out.WriteIntVector(m_ButtonRuns);
}

void cReplay::Clear()
{
    cDataRecord::Clear();
    m_DirValues.clear();
    m_ButtonValues.clear();
    m_DirRuns.clear();
    m_ButtonRuns.clear();
    Rewind();
}

void cReplay::Copy(const cReplay& other)
{
    if (this == &other) return;
    m_DirValues = other.m_DirValues;
    m_ButtonValues = other.m_ButtonValues;
    m_DirRuns = other.m_DirRuns;
    m_ButtonRuns = other.m_ButtonRuns;
    m_nSeed = other.m_nSeed;
}

void cReplay::RecordFrame(uint16_t direction, uint16_t buttons)
{
    RecordWord(m_DirValues, m_DirRuns, direction);
    RecordWord(m_ButtonValues, m_ButtonRuns, buttons);
}

int cReplay::PlayFrame(uint16_t& direction, uint16_t& buttons)
{
    if (m_nDirPos < 0 || static_cast<size_t>(m_nDirPos) >= m_DirValues.size() || m_nButtonPos < 0 ||
        static_cast<size_t>(m_nButtonPos) >= m_ButtonValues.size())
        return 1;
    direction = PlayWord(m_DirValues, m_DirRuns, m_nDirPos, m_nDirFrames);
    buttons = PlayWord(m_ButtonValues, m_ButtonRuns, m_nButtonPos, m_nButtonFrames);
    return 0;
}

void cReplay::Rewind()
{
    m_nDirPos = m_nButtonPos = 0;
    m_nDirFrames = m_nButtonFrames = 0;
}

int SaveReplayFile(cReplay& replay, const std::string& path, cStageData& stage, cStageData& settings,
                   cGameProgress& progress)
{
    std::unique_ptr<cDataWriter> file = DataFileOpenWrite(path);
    if (!file) {
        ReportLog("err replay \"%s\": the file cannot be created", path.c_str());
        return 0;
    }
    SaveStageFromParts(*file, stage, settings);
    replay.Save(*file);
    progress.Save(*file);
    return DataFileClose(file);
}

int LoadReplayFile(cReplay& replay, const std::string& path, cStageData& stage, cStageData& play,
                   cGameProgress& progress)
{
    // Read beside what the game holds: a damaged file changes nothing.
    auto readStage = std::make_unique<cStageData>();
    auto readReplay = std::make_unique<cReplay>();
    auto readProgress = std::make_unique<cGameProgress>(progress);
    std::unique_ptr<cDataReader> file;
    try {
        file = DataFileOpenRead(path);
        if (!file) {
            ReportLog("err replay \"%s\": the file cannot be opened", path.c_str());
            return 0;
        }
        readStage->Load(*file) && readReplay->Load(*file);
        if (file->Ok() && nFileVersion > 172) readProgress->Load(*file);
    } catch (const std::bad_alloc&) {
        if (file) file->Fail("not enough memory to read it");
    }
    if (!file || !DataFileClose(file)) {
        // The stage palette named while the file was read is the game's again.
        RegisterPalette(PALETTE_STAGE, stage.Lists());
        return 0;
    }
    readStage->m_sPath = path;
    readStage->m_bLoaded = 1;
    stage = std::move(*readStage);
    RegisterPalette(PALETTE_STAGE, stage.Lists());
    CopyPlaySettings(play, stage);
    replay.Copy(*readReplay);
    replay.Rewind();
    progress = *readProgress;
    return 1;
}
