#include "files/database.h"

#include <memory>

#include "files/database_context.h"
#include "files/file_error_box.h"

const char* const cDataBase::FileNames[FILES] = {
    "AnimeSet.dat", "Anime.dat",     "Bmp_CharaExc.dat", "SwordType.dat", "Effect.dat",
    "CharaEffect.dat", "ScrEffect.dat", "Picture.dat",  "Sound.dat",     "Bgm.dat",
};

cDataBase DataBase;

namespace {

// Reads the list of the file at path; false when it cannot be opened or is damaged.
// Carriage returns leave the strings as each record reads them (bStripCR).
template <class T>
bool LoadDatabaseFile(std::vector<T>& list, const std::string& path)
{
    std::unique_ptr<cDataReader> file = DataFileOpenRead(path);
    if (!file) return false;
    bool ok = ReadDatabaseList(list, *file);
    return DataFileClose(file) == 1 && ok;
}

} // namespace

cDataBase::cDataBase()
{
    RegisterFields(DATA_VERSION);
    SetDefault();
}

void cDataBase::RegisterFields(int version)
{
    ClearFieldTables();
}

int cDataBase::LoadAll(const std::string& folder)
{
    int index = 0;
    auto load = [&](auto& list) {
        std::string path = folder + FileNames[index++];
        if (LoadDatabaseFile(list, path)) return true;
        FileErrorBox("%s のロードに失敗！", path.c_str());
        return false;
    };
    if (!load(m_AnimeSet) || !load(m_Anime) || !load(m_BmpCharaExc) || !load(m_SwordType) || !load(m_Effect) ||
        !load(m_CharaEffect) || !load(m_ScrEffect) || !load(m_Picture) || !load(m_Sound) || !load(m_Bgm))
        return 0;
    FixEffectEntryZero();
    SetRecordContext(*this, RecordContext);
    return 1;
}

void cDataBase::SetDefault()
{
    ResetRecords(m_AnimeSet, 1);
    ResetRecords(m_Anime, 2);
    m_Anime[0].m_sName = "なし";
    m_Anime[1].m_sName = "アクションA";
    ResetRecords(m_BmpCharaExc, 2);
    ResetRecords(m_SwordType, 1);
    ResetRecords(m_Effect, 2);
    ResetRecords(m_CharaEffect, 2);
    ResetRecords(m_ScrEffect, 2);
    ResetRecords(m_Picture, 2);
    ResetRecords(m_Sound, 2);
    ResetRecords(m_Bgm, 2);
    m_CharaEffectRev.clear();
    m_ScrEffectRev.clear();
}

void cDataBase::FixEffectEntryZero()
{
    if (!m_CharaEffect.empty()) m_CharaEffect[0].m_nKind = 0;
    if (!m_ScrEffect.empty()) m_ScrEffect[0].m_nKind = 0;
}

void cDataBase::CopyReversedEffectLists()
{
    AssignRecords(m_CharaEffectRev, m_CharaEffect);
    AssignRecords(m_ScrEffectRev, m_ScrEffect);
}
