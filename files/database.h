#pragma once
// The database: the game's shared material that stages and definitions name
// by number, ten lists read from ten files at start-up and read-only after.
// Entry 0 of a list stands for "none" where a number may be absent (music 0
// stops the music, user sounds and extra images count from entry 1); every
// list holds at least entry 0 once loaded.
//
// Database file (all ten): u32 data version, u32 n, n records of the list's
// class (records/*_data.h). The runtime never writes them.
#include <string>
#include <vector>

#include "app/base/log.h"
#include "records/anime_data.h"
#include "records/data_record.h"
#include "records/effect_data.h"
#include "records/effect_kind_data.h"
#include "records/media_data.h"
#include "records/record_list.h"
#include "records/sword_type_data.h"

// Where start-up reads the database files from.
constexpr const char* DATABASE_FOLDER = "data\\database\\";

class cDataBase : public cDataRecord {
public:
    enum { FILES = 10 };
    // The file names in reading order, one per list.
    static const char* const FileNames[FILES];

    std::vector<cAnimeSetData> m_AnimeSet;
    std::vector<cAnimeData> m_Anime;
    std::vector<cBmpCharaExcData> m_BmpCharaExc;
    std::vector<cSwordTypeData> m_SwordType;
    std::vector<cEffectData> m_Effect;
    std::vector<cCharaEffectData> m_CharaEffect;
    std::vector<cScrEffectData> m_ScrEffect;
    std::vector<cPictureData> m_Picture;
    std::vector<cSoundData> m_Sound;
    std::vector<cBgmData> m_Bgm;
    // The copies of the two effect lists that the reversed effect templates
    // point into (and reverse); empty until CopyReversedEffectLists.
    std::vector<cCharaEffectData> m_CharaEffectRev;
    std::vector<cScrEffectData> m_ScrEffectRev;

    // The default contents.
    cDataBase();
    void RegisterFields(int version) override;

    // Reads the ten files of folder in the order of FileNames. 1 when all
    // were read: the effect lists' entry 0 is then of kind 0 and the record
    // context holds the new list lengths (SetRecordContext). 0 at the first
    // file that cannot be opened or is damaged: the error box
    // "<path> のロードに失敗！" names it, the lists read before hold their
    // files, that list and the later ones keep what they held.
    int LoadAll(const std::string& folder = DATABASE_FOLDER);
    // Each list emptied and refilled with default records: one animation
    // set, two animations ("なし", "アクションA"), one sword type, two of
    // every other list; the reversed copies empty.
    void SetDefault();
    // Entry 0 of both effect lists becomes kind 0.
    void FixEffectEntryZero();
    // m_CharaEffectRev and m_ScrEffectRev become copies of m_CharaEffect and
    // m_ScrEffect. Start-up calls it after LoadAll, before the templates.
    void CopyReversedEffectLists();
};

// The game's database; filled at start-up on the window thread, read by the
// game thread afterwards and by the stage loader and the sub-loops while the
// game thread waits for them.
extern cDataBase DataBase;

// Reads one list of a database file: u32 n, then n records each read over a
// default record of the class. A damaged file fails and leaves the list as
// it was; a list that reads empty gets one default record and a report-log
// line, since the game falls back on entry 0 of every list.
template <class T>
bool ReadDatabaseList(std::vector<T>& list, cDataReader& in)
{
    std::vector<T> read;
    if (!ReadRecords(read, in)) return false;
    if (read.empty()) {
        ReportLog("%s holds no entry; entry 0 is a default one", in.Path().c_str());
        read.emplace_back();
    }
    list.swap(read);
    return true;
}
